// Wave files built in code for the sound tests: a RIFF header, chunks in any order, and the
// deliberately broken shapes real files come in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace edtest {

struct WaveChunk {
    std::string id; // four characters
    std::string body;
    // Written instead of the body's size when set (a chunk that claims more than it holds).
    bool overrideSize = false;
    uint32_t size = 0;
};

// "fmt " body: tag, channels, rate, block align, bits (byte rate follows from them).
std::string FormatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t blockAlign,
                       uint16_t bits);
// The extensible form with a sub-format tag (1 PCM, 3 float) and its valid bits.
std::string ExtensibleFormatBody(uint16_t subTag, uint16_t channels, uint32_t rate, uint16_t bits,
                                 uint16_t validBits);
// "RIFF", its size (the true one unless given), "WAVE", then the chunks, each odd body padded.
std::string BuildWave(const std::vector<WaveChunk>& chunks, int64_t riffSize = -1);
// A plain PCM file of `frames` frames of 16-bit mono at 11025 Hz, samples counting up.
std::string SimpleWave(size_t frames);

inline const uint8_t* Data(const std::string& s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

} // namespace edtest
