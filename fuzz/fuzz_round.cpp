// Fuzz target: recorded rounds through the file reader, the answer stream and the inheritance.
#include "reader_fuzzer.h"

TQ_FUZZ_READER(readercheck::CheckRoundFile)
