// Auditioning a sound of the demo's sound table: the wave file is loaded through the
// document's renderer host (the game's pak archives, then the game folder) and handed to a
// player. The player is a port: the program plays through the system's audio output, tests
// record what would have been played.
#pragma once

#include "editor/wave_file.h"

#include <cstdint>
#include <string>

class CTreskDoc;
class Ui;

// Shown when a sound cannot be loaded, or its data is no sound the player takes.
extern const char* const kWavLoadErrorText; // "Error:  Couldn't load wav file."

// Extra time a playback may take beyond the sound's length before it is given up.
constexpr int64_t kPlaybackGraceMs = 2000;

class SoundPlayer {
  public:
    virtual ~SoundPlayer() = default;
    // Plays the sound and returns when it has been heard, or at the latest after `capMs`
    // milliseconds. The samples belong to the caller and stay valid until this returns. A
    // sound the system cannot play is silently not heard.
    virtual void Play(const WaveSound& sound, int64_t capMs) = 0;
};

// "sound/NAME" for a sound table name; empty for a name that would leave the sound folder
// (one holding "..", or starting with '/' or '\\') or an empty one.
std::string SoundFilePath(const std::string& name);

enum class AuditionResult {
    kPlayed,    // loaded, read and handed to the player
    kNoSound,   // no such row: nothing happens
    kNotLoaded, // the file was refused or could not be loaded or read: the message was shown
};

// Auditions sound table slot `row` (0-based, the list's row): the path is "sound/" and the
// slot's name; the file is loaded whole with the document's renderer host, read as a wave
// file and played with a cap of its length plus kPlaybackGraceMs; the loaded buffer is
// released in every case. A row outside the table does nothing. A refused name, a file that
// cannot be loaded and one that is no playable wave show kWavLoadErrorText through `ui`.
AuditionResult AuditionSound(CTreskDoc& doc, int row, SoundPlayer& player, Ui& ui);
