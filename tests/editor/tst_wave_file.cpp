// Reading wave files: the four sample types, chunks around and after the data, odd chunk
// sizes, files cut short, and the shapes that are refused without reading past the bytes.
#include "wave_bytes.h"

#include "editor/wave_file.h"

#include <gtest/gtest.h>

#include <memory>

using namespace edtest;

namespace {

// The bytes copied into a buffer of exactly their size, so that a read past the end is caught
// by the address sanitizer.
class ExactBytes {
  public:
    explicit ExactBytes(const std::string& s) : size_(s.size()), data_(new uint8_t[s.size()]) {
        std::copy(s.begin(), s.end(), data_.get());
    }
    const uint8_t* Data() const { return data_.get(); }
    size_t Size() const { return size_; }

  private:
    size_t size_;
    std::unique_ptr<uint8_t[]> data_;
};

bool Parse(const std::string& file, WaveSound* sound, std::string* why = nullptr) {
    ExactBytes bytes(file);
    const bool ok = ParseWave(bytes.Data(), bytes.Size(), sound, why);
    // Keep the pointer meaningful for the caller: an offset into `file`.
    if (ok) {
        sound->samples = Data(file) + (sound->samples - bytes.Data());
    }
    return ok;
}

TEST(WaveFile, ReadsEachSampleTypeWithItsFrameSize) {
    struct Case {
        std::string fmt;
        WaveSampleType type;
        uint16_t frameBytes;
    };
    const Case cases[] = {
        {FormatBody(1, 1, 22050, 1, 8), WaveSampleType::kUnsigned8, 1},
        {FormatBody(1, 2, 44100, 4, 16), WaveSampleType::kSigned16, 4},
        {FormatBody(1, 1, 48000, 4, 32), WaveSampleType::kSigned32, 4},
        {FormatBody(3, 2, 48000, 8, 32), WaveSampleType::kFloat32, 8},
        {ExtensibleFormatBody(1, 2, 44100, 16, 16), WaveSampleType::kSigned16, 4},
        {ExtensibleFormatBody(3, 1, 44100, 32, 32), WaveSampleType::kFloat32, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        const std::string file = BuildWave({{"fmt ", c.fmt}, {"data", std::string(40, 'x')}});
        WaveSound sound;
        ASSERT_TRUE(Parse(file, &sound));
        EXPECT_EQ(sound.format.sampleType, c.type);
        EXPECT_EQ(sound.format.bytesPerFrame, c.frameBytes);
        EXPECT_EQ(sound.size, 40u - 40u % c.frameBytes);
        EXPECT_EQ(sound.samples, Data(file) + file.size() - 40);
    }
}

TEST(WaveFile, TheDataChunkSizeEndsTheSoundWhateverFollowsIt) {
    // A list chunk before, an odd-sized data chunk with its pad byte, then a cue chunk: the
    // sound is exactly the data chunk's bytes.
    const std::string data = "\x01\x02\x03";
    const std::string file = BuildWave({{"LIST", "INFOxxxxxxxx"},
                                        {"fmt ", FormatBody(1, 1, 8000, 1, 8)},
                                        {"data", data},
                                        {"cue ", std::string(24, '\x7f')}});
    WaveSound sound;
    ASSERT_TRUE(Parse(file, &sound));
    ASSERT_EQ(sound.size, 3u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sound.samples), 3), data);
    EXPECT_EQ(sound.format.sampleRate, 8000u);
}

TEST(WaveFile, FormatAfterDataAndAnOddChunkBeforeThemAreFound) {
    const std::string file = BuildWave({{"junk", "abc"}, // odd: a pad byte follows
                                        {"data", std::string(8, '\0')},
                                        {"fmt ", FormatBody(1, 2, 11025, 4, 16)}});
    WaveSound sound;
    ASSERT_TRUE(Parse(file, &sound));
    EXPECT_EQ(sound.FrameCount(), 2u);
    EXPECT_EQ(sound.format.channels, 2);
}

TEST(WaveFile, AFileCutShortInItsDataKeepsTheWholeFramesItHolds) {
    std::string file =
        BuildWave({{"fmt ", FormatBody(1, 2, 11025, 4, 16)}, {"data", std::string(400, 'a')}});
    file.resize(file.size() - 399 + 10); // 11 data bytes left: two whole frames
    WaveSound sound;
    ASSERT_TRUE(Parse(file, &sound));
    EXPECT_EQ(sound.size, 8u);
}

TEST(WaveFile, BytesPastTheRiffChunkAreNotPartOfTheSound) {
    // A RIFF size that ends before a second data chunk: only the first counts; a data chunk
    // that claims more than the RIFF chunk holds stops at its end.
    std::string file = BuildWave(
        {{"fmt ", FormatBody(1, 1, 11025, 1, 8)}, {"data", std::string(10, 'a'), true, 100}});
    const size_t riffEnd = file.size();
    file += std::string(50, 'z');
    WaveSound sound;
    ASSERT_TRUE(Parse(file, &sound));
    EXPECT_EQ(sound.size, 10u);
    EXPECT_EQ(sound.samples + sound.size, Data(file) + riffEnd);
}

TEST(WaveFile, LengthFollowsFramesAndRate) {
    const std::string file = SimpleWave(11025 + 1);
    WaveSound sound;
    ASSERT_TRUE(Parse(file, &sound));
    EXPECT_EQ(sound.FrameCount(), 11026u);
    EXPECT_EQ(sound.DurationMs(), 1001); // rounded up
}

TEST(WaveFile, RefusesWhatItCannotPlayOrRead) {
    const std::string data(16, '\0');
    struct Case {
        const char* what;
        std::string file;
    };
    const std::string fmt = FormatBody(1, 1, 11025, 2, 16);
    const Case cases[] = {
        {"empty", ""},
        {"only a header", "RIFF"},
        {"not RIFF", "RIFX" + BuildWave({{"fmt ", fmt}, {"data", data}}).substr(4)},
        {"not WAVE", BuildWave({{"fmt ", fmt}}).replace(8, 4, "AVI ")},
        {"no format", BuildWave({{"data", data}})},
        {"no data", BuildWave({{"fmt ", fmt}})},
        {"short format", BuildWave({{"fmt ", fmt.substr(0, 14)}, {"data", data}})},
        {"format past the end", BuildWave({{"fmt ", fmt, true, 200}})},
        {"24-bit", BuildWave({{"fmt ", FormatBody(1, 1, 11025, 3, 24)}, {"data", data}})},
        {"ADPCM", BuildWave({{"fmt ", FormatBody(2, 1, 11025, 256, 4)}, {"data", data}})},
        {"64-bit float", BuildWave({{"fmt ", FormatBody(3, 1, 11025, 8, 64)}, {"data", data}})},
        {"wrong block align",
         BuildWave({{"fmt ", FormatBody(1, 2, 11025, 2, 16)}, {"data", data}})},
        {"no channels", BuildWave({{"fmt ", FormatBody(1, 0, 11025, 0, 16)}, {"data", data}})},
        {"rate 0", BuildWave({{"fmt ", FormatBody(1, 1, 0, 2, 16)}, {"data", data}})},
        {"24 in 32",
         BuildWave({{"fmt ", ExtensibleFormatBody(1, 1, 11025, 32, 24)}, {"data", data}})},
        {"unknown sub-format",
         BuildWave({{"fmt ", ExtensibleFormatBody(1, 1, 11025, 16, 16).replace(26, 1, "\x01")},
                    {"data", data}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WaveSound sound;
        std::string why;
        EXPECT_FALSE(Parse(c.file, &sound, &why));
        EXPECT_FALSE(why.empty());
    }
}

TEST(WaveFile, EveryCutOfARealisticFileIsReadOrRefusedWithoutOverrun) {
    const std::string file = BuildWave({{"LIST", "INFOIART\x05\0\0\0abcde"},
                                        {"fmt ", FormatBody(1, 2, 22050, 4, 16)},
                                        {"data", std::string(64, 'q')},
                                        {"smpl", std::string(36, '\0')}});
    for (size_t n = 0; n <= file.size(); ++n) {
        WaveSound sound;
        if (Parse(file.substr(0, n), &sound)) {
            EXPECT_LE(sound.size, 64u);
            EXPECT_EQ(sound.size % 4, 0u);
        }
    }
}

} // namespace
