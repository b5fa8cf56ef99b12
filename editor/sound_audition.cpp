#include "editor/sound_audition.h"

#include "demo/tresk_doc.h"
#include "editor/ui.h"

const char* const kWavLoadErrorText = "Error:  Couldn't load wav file.";

namespace {

// Releases a buffer of the renderer host's file system however the audition ends.
class LoadedFile {
  public:
    explicit LoadedFile(CQRefApiImport& host) : host_(host) {}
    ~LoadedFile() { host_.FS_FreeFile(buffer_); }
    LoadedFile(const LoadedFile&) = delete;
    LoadedFile& operator=(const LoadedFile&) = delete;

    int Load(const std::string& path) { return host_.FS_LoadFile(path.c_str(), &buffer_); }
    const uint8_t* Bytes() const { return static_cast<const uint8_t*>(buffer_); }

  private:
    CQRefApiImport& host_;
    void* buffer_ = nullptr;
};

} // namespace

std::string SoundFilePath(const std::string& name) {
    if (name.empty() || name.front() == '/' || name.front() == '\\' ||
        name.find("..") != std::string::npos) {
        return {};
    }
    return "sound/" + name;
}

AuditionResult AuditionSound(CTreskDoc& doc, int row, SoundPlayer& player, Ui& ui) {
    if (row < 0 || row >= doc.soundTable.Count()) {
        return AuditionResult::kNoSound;
    }
    const std::string path = SoundFilePath(doc.soundTable.Entry(row));
    if (path.empty()) {
        ui.ShowMessage(kWavLoadErrorText);
        return AuditionResult::kNotLoaded;
    }
    LoadedFile file(doc.refImport);
    const int length = file.Load(path);
    WaveSound sound;
    if (length < 0 || file.Bytes() == nullptr ||
        !ParseWave(file.Bytes(), static_cast<size_t>(length), &sound)) {
        ui.ShowMessage(kWavLoadErrorText);
        return AuditionResult::kNotLoaded;
    }
    player.Play(sound, sound.DurationMs() + kPlaybackGraceMs);
    return AuditionResult::kPlayed;
}
