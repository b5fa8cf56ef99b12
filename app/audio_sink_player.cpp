#include "audio_sink_player.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace {

SoundPlayer* programPlayer = nullptr;

QAudioFormat::SampleFormat SampleFormatOf(WaveSampleType type) {
    switch (type) {
    case WaveSampleType::kUnsigned8:
        return QAudioFormat::UInt8;
    case WaveSampleType::kSigned16:
        return QAudioFormat::Int16;
    case WaveSampleType::kSigned32:
        return QAudioFormat::Int32;
    case WaveSampleType::kFloat32:
        return QAudioFormat::Float;
    }
    return QAudioFormat::Unknown;
}

} // namespace

QAudioFormat AudioFormatOf(const WaveFormat& format) {
    QAudioFormat out;
    out.setSampleRate(static_cast<int>(format.sampleRate));
    out.setChannelCount(format.channels);
    out.setSampleFormat(SampleFormatOf(format.sampleType));
    return out;
}

void CAudioSinkPlayer::Play(const WaveSound& sound, int64_t capMs) {
    if (sound.size == 0 || sound.size > static_cast<size_t>(std::numeric_limits<int>::max())) {
        return;
    }
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const QAudioFormat format = AudioFormatOf(sound.format);
    if (device.isNull() || !device.isFormatSupported(format)) {
        return; // nothing the system can play: silently not heard
    }
    // The samples are read in place: they stay the caller's until this returns.
    QByteArray samples = QByteArray::fromRawData(reinterpret_cast<const char*>(sound.samples),
                                                 static_cast<qsizetype>(sound.size));
    QBuffer buffer(&samples);
    buffer.open(QIODevice::ReadOnly);
    QAudioSink sink(device, format);
    QEventLoop loop;
    QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&loop](QAudio::State state) {
        if (state == QAudio::IdleState || state == QAudio::StoppedState) {
            loop.quit();
        }
    });
    QTimer cap;
    cap.setSingleShot(true);
    QObject::connect(&cap, &QTimer::timeout, &loop, &QEventLoop::quit);
    sink.start(&buffer);
    if (sink.error() != QAudio::NoError || sink.state() == QAudio::StoppedState) {
        return;
    }
    cap.start(static_cast<int>(std::clamp<int64_t>(capMs, 0, std::numeric_limits<int>::max())));
    // The audition holds the program as the sound plays: no clicks or keys meanwhile, so the
    // list that asked cannot be asked again nor its demo closed under it.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    sink.stop();
}

SoundPlayer& ProgramSoundPlayer() {
    static CAudioSinkPlayer sinkPlayer;
    return programPlayer != nullptr ? *programPlayer : sinkPlayer;
}

void SetProgramSoundPlayer(SoundPlayer* player) {
    programPlayer = player;
}
