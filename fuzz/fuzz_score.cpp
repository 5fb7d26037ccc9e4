// Fuzz target: score.dat files through LoadHighScores, then saved and read back.
#include "reader_fuzzer.h"

TQ_FUZZ_READER(readercheck::CheckScoreFile)
