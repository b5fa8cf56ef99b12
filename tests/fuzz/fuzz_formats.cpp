// libFuzzer target over the map, model, picture and texture readers.
#include "formats_fuzz_entry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ReadArbitraryAssetBytes(data, size);
    return 0;
}
