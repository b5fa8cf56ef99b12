// libFuzzer target over the container reader, the decoder and the save path.
#include "fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DecodeArbitraryBytes(data, size);
    return 0;
}
