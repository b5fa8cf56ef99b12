// Inputs the fuzzer once found troublesome, and a few hand-made ones, run through the same
// load-decode-save-decode path: each must simply come back.
#include "fuzz_entry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

TEST(FuzzRegressions, EverySavedInputDecodesAndSavesWithoutHarm) {
    std::filesystem::path dir = FUZZ_REGRESSIONS_DIR;
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
        SCOPED_TRACE(entry.path().filename().string());
        DecodeArbitraryBytes(bytes.data(), bytes.size());
        ++count;
    }
    EXPECT_GT(count, 0);
}

TEST(FuzzRegressions, DegenerateInputs) {
    const std::vector<std::vector<uint8_t>> inputs = {
        {},
        {0xFF, 0xFF, 0xFF, 0xFF},
        {0x00, 0x00, 0x00, 0x00},
        {0x01, 0x00, 0x00, 0x00, 18},                  // a packetentities id and nothing else
        {0x02, 0x00, 0x00, 0x00, 18, 0x80},            // bits announcing a byte that is missing
        {0x03, 0x00, 0x00, 0x00, 20, 1, 2},            // a frame cut short
        {0x05, 0x00, 0x00, 0x00, 13, 0xFF, 0xFF, 'a'}, // an unterminated configstring
    };
    for (const auto& input : inputs) {
        DecodeArbitraryBytes(input.data(), input.size());
    }
}

} // namespace
