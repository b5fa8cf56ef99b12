// The program's audio player: the format it asks the output for, and a real playback that
// returns on a machine with or without an audio output.
#include "audio_sink_player.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(AudioSinkPlayer, AsksTheOutputForTheWavesFormat) {
    const struct {
        WaveSampleType type;
        QAudioFormat::SampleFormat expected;
    } cases[] = {
        {WaveSampleType::kUnsigned8, QAudioFormat::UInt8},
        {WaveSampleType::kSigned16, QAudioFormat::Int16},
        {WaveSampleType::kSigned32, QAudioFormat::Int32},
        {WaveSampleType::kFloat32, QAudioFormat::Float},
    };
    for (const auto& c : cases) {
        WaveFormat format;
        format.sampleType = c.type;
        format.channels = 2;
        format.sampleRate = 22050;
        const QAudioFormat out = AudioFormatOf(format);
        EXPECT_EQ(out.sampleFormat(), c.expected);
        EXPECT_EQ(out.channelCount(), 2);
        EXPECT_EQ(out.sampleRate(), 22050);
    }
}

TEST(AudioSinkPlayer, ARealPlaybackReturns) {
    // A tenth of a second of silence: heard where there is an output, skipped where none.
    std::vector<uint8_t> samples(2205, 128);
    WaveSound sound;
    sound.format.sampleType = WaveSampleType::kUnsigned8;
    sound.format.channels = 1;
    sound.format.sampleRate = 22050;
    sound.format.bytesPerFrame = 1;
    sound.samples = samples.data();
    sound.size = samples.size();
    CAudioSinkPlayer player;
    player.Play(sound, sound.DurationMs() + kPlaybackGraceMs);
    WaveSound empty = sound;
    empty.size = 0;
    player.Play(empty, kPlaybackGraceMs);
    SUCCEED();
}

} // namespace
