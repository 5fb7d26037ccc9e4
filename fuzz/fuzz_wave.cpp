// Fuzz target: WAVE files through CWaveReader (read in pieces, rewound) and
// CSoundDevice::LoadSound, played for a moment.
#include "reader_fuzzer.h"

TQ_FUZZ_READER(readercheck::CheckWave)
