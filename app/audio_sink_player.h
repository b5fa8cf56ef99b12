// Plays an auditioned sound through the system's audio output (QAudioSink over the samples in
// memory). The program's player is replaceable, so that tests record instead of playing.
#pragma once

#include "editor/sound_audition.h"

#include <QAudioFormat>

// The audio format of a read wave sound.
QAudioFormat AudioFormatOf(const WaveFormat& format);

class CAudioSinkPlayer : public SoundPlayer {
  public:
    // Plays on the default output and waits (user input held back) until the sound has been
    // heard, the output stops, or `capMs` has passed. Without an output, or for a format the
    // output does not take, nothing is heard and it returns at once.
    void Play(const WaveSound& sound, int64_t capMs) override;
};

// The player the sound lists use: the audio sink unless one was set.
SoundPlayer& ProgramSoundPlayer();
// Sets the player (null: back to the audio sink). The player must outlive its use.
void SetProgramSoundPlayer(SoundPlayer* player);
