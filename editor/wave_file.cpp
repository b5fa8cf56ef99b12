#include "editor/wave_file.h"

#include <cstring>

namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr size_t kChunkHeader = 8;
constexpr size_t kPlainFormatSize = 16;
constexpr size_t kExtensibleFormatSize = 40;
constexpr uint16_t kMaxChannels = 8;
constexpr uint32_t kMaxSampleRate = 384000;

// The tail shared by the sub-format GUIDs of the extensible form:
// 0000xxxx-0000-0010-8000-00aa00389b71, the first two bytes being the plain format tag.
constexpr uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                   0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool Fail(std::string* why, const char* text) {
    if (why != nullptr) {
        *why = text;
    }
    return false;
}

bool ReadFormat(const uint8_t* p, size_t size, WaveFormat* format, std::string* why) {
    if (size < kPlainFormatSize) {
        return Fail(why, "format chunk too short");
    }
    uint16_t tag = U16(p);
    const uint16_t channels = U16(p + 2);
    const uint32_t rate = U32(p + 4);
    const uint16_t blockAlign = U16(p + 12);
    const uint16_t bits = U16(p + 14);
    if (tag == kFormatExtensible) {
        if (size < kExtensibleFormatSize || U16(p + 16) < 22) {
            return Fail(why, "extensible format chunk too short");
        }
        const uint8_t* guid = p + 24;
        if (std::memcmp(guid + 2, kGuidTail, sizeof kGuidTail) != 0) {
            return Fail(why, "unknown sub-format");
        }
        tag = U16(guid);
        // The valid bits must fill the container: a 24-in-32 sound would play as noise.
        const uint16_t validBits = U16(p + 18);
        if (validBits != 0 && validBits != bits) {
            return Fail(why, "samples do not fill their container");
        }
    }
    if (channels == 0 || channels > kMaxChannels) {
        return Fail(why, "unsupported channel count");
    }
    if (rate == 0 || rate > kMaxSampleRate) {
        return Fail(why, "unsupported sample rate");
    }
    if (tag == kFormatPcm && bits == 8) {
        format->sampleType = WaveSampleType::kUnsigned8;
    } else if (tag == kFormatPcm && bits == 16) {
        format->sampleType = WaveSampleType::kSigned16;
    } else if (tag == kFormatPcm && bits == 32) {
        format->sampleType = WaveSampleType::kSigned32;
    } else if (tag == kFormatFloat && bits == 32) {
        format->sampleType = WaveSampleType::kFloat32;
    } else {
        return Fail(why, "unsupported sample format");
    }
    const uint32_t frameBytes = static_cast<uint32_t>(channels) * (bits / 8u);
    if (blockAlign != frameBytes) {
        return Fail(why, "block alignment does not match the format");
    }
    format->channels = channels;
    format->sampleRate = rate;
    format->bytesPerFrame = static_cast<uint16_t>(frameBytes);
    return true;
}

} // namespace

int64_t WaveSound::DurationMs() const {
    if (format.sampleRate == 0) {
        return 0;
    }
    const auto frames = static_cast<int64_t>(FrameCount());
    return (frames * 1000 + format.sampleRate - 1) / format.sampleRate;
}

bool ParseWave(const uint8_t* bytes, size_t size, WaveSound* out, std::string* why) {
    if (bytes == nullptr || size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 ||
        std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return Fail(why, "not a RIFF WAVE file");
    }
    // The RIFF size bounds the chunks when it is smaller than the bytes given (anything after
    // it is not part of the sound); a larger one is a file cut short.
    size_t end = size;
    const uint64_t riffEnd = static_cast<uint64_t>(U32(bytes + 4)) + kChunkHeader;
    if (riffEnd < end) {
        end = static_cast<size_t>(riffEnd);
    }

    WaveFormat format;
    bool haveFormat = false;
    const uint8_t* data = nullptr;
    size_t dataSize = 0;
    size_t pos = 12;
    while (end - pos >= kChunkHeader) {
        const uint8_t* chunk = bytes + pos;
        const uint32_t chunkSize = U32(chunk + 4);
        const size_t bodyAt = pos + kChunkHeader;
        const size_t available = end - bodyAt;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (chunkSize > available) {
                return Fail(why, "format chunk runs past the end");
            }
            if (!ReadFormat(bytes + bodyAt, chunkSize, &format, why)) {
                return false;
            }
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0 && data == nullptr) {
            data = bytes + bodyAt;
            dataSize = chunkSize > available ? available : chunkSize;
        }
        if (chunkSize >= available) {
            break; // the last chunk (or one cut short): nothing can follow it
        }
        // Every chunk starts on an even offset: an odd size is followed by a pad byte.
        pos = bodyAt + chunkSize + (chunkSize & 1u);
    }
    if (!haveFormat) {
        return Fail(why, "no format chunk");
    }
    if (data == nullptr) {
        return Fail(why, "no data chunk");
    }
    out->format = format;
    out->samples = data;
    out->size = dataSize - dataSize % format.bytesPerFrame;
    return true;
}
