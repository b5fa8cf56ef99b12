#include "wave_bytes.h"

namespace edtest {
namespace {

void Put16(std::string& s, uint16_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>(v >> 8);
}

void Put32(std::string& s, uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

} // namespace

std::string FormatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t blockAlign,
                       uint16_t bits) {
    std::string s;
    Put16(s, tag);
    Put16(s, channels);
    Put32(s, rate);
    Put32(s, rate * blockAlign);
    Put16(s, blockAlign);
    Put16(s, bits);
    return s;
}

std::string ExtensibleFormatBody(uint16_t subTag, uint16_t channels, uint32_t rate, uint16_t bits,
                                 uint16_t validBits) {
    const auto align = static_cast<uint16_t>(channels * (bits / 8));
    std::string s = FormatBody(0xFFFE, channels, rate, align, bits);
    Put16(s, 22);        // extension size
    Put16(s, validBits); // valid bits per sample
    Put32(s, 0);         // channel mask
    Put16(s, subTag);
    const uint8_t tail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                              0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    s.append(reinterpret_cast<const char*>(tail), sizeof tail);
    return s;
}

std::string BuildWave(const std::vector<WaveChunk>& chunks, int64_t riffSize) {
    std::string body = "WAVE";
    for (const WaveChunk& c : chunks) {
        body += c.id;
        Put32(body, c.overrideSize ? c.size : static_cast<uint32_t>(c.body.size()));
        body += c.body;
        if (c.body.size() % 2 == 1) {
            body += '\0';
        }
    }
    std::string file = "RIFF";
    Put32(file,
          riffSize < 0 ? static_cast<uint32_t>(body.size()) : static_cast<uint32_t>(riffSize));
    return file + body;
}

std::string SimpleWave(size_t frames) {
    std::string samples;
    for (size_t i = 0; i < frames; ++i) {
        Put16(samples, static_cast<uint16_t>(i));
    }
    return BuildWave({{"fmt ", FormatBody(1, 1, 11025, 2, 16)}, {"data", samples}});
}

} // namespace edtest
