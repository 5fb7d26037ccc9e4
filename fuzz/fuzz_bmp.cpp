// Fuzz target: BMP files through the decoder, LoadBitmapSurface at the picture's own size and
// resampled, keying and keyed drawing.
#include "reader_fuzzer.h"

TQ_FUZZ_READER(readercheck::CheckBmp)
