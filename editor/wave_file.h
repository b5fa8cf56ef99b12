// Reading a RIFF WAVE sound as the game's pak archives carry it: the format of its samples and
// where its sample data lies. No sample is converted or copied: the result points into the
// bytes it was read from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class WaveSampleType {
    kUnsigned8, // 8-bit PCM, unsigned, silence at 128
    kSigned16,  // 16-bit PCM, little-endian
    kSigned32,  // 32-bit PCM, little-endian
    kFloat32,   // 32-bit IEEE float, little-endian
};

struct WaveFormat {
    WaveSampleType sampleType = WaveSampleType::kSigned16;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bytesPerFrame = 0; // channels × bytes per sample
};

struct WaveSound {
    WaveFormat format;
    const uint8_t* samples = nullptr; // into the parsed bytes
    size_t size = 0;                  // whole frames only

    size_t FrameCount() const {
        return format.bytesPerFrame == 0 ? 0 : size / format.bytesPerFrame;
    }
    // How long the sound plays, in milliseconds (rounded up).
    int64_t DurationMs() const;
};

// Reads a WAVE file held in `bytes`. Chunks are walked within the RIFF chunk and the bytes
// given, an odd-sized chunk followed by its pad byte; "fmt " and "data" may stand in either
// order and other chunks (lists, cue points, chunks after the data) are passed over. The
// sample data is what the data chunk's size says; a file cut short inside its data chunk keeps
// the whole frames it holds. Accepted: PCM of 8, 16 or 32 bits and 32-bit float, plain or in
// the extensible form, 1 to 8 channels, 1 Hz to 384 kHz. Anything else, a missing chunk, a
// chunk that runs past the end, or a format chunk whose sizes disagree is refused: false, with
// *why (when given) saying what was wrong. Never reads outside the bytes given.
bool ParseWave(const uint8_t* bytes, size_t size, WaveSound* out, std::string* why = nullptr);
