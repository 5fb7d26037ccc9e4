// Fuzz target: INI files through LoadOptions, then SaveSoundOption on them.
#include "reader_fuzzer.h"

TQ_FUZZ_READER(readercheck::CheckIniFile)
