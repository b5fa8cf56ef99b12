// Auditioning a sound of the demo's table: the path under "sound/", names that would leave
// the sound folder, files that cannot be loaded or read, what reaches the player, and a sound
// of a real game archive.
#include "scripted_ui.h"
#include "wave_bytes.h"

#include "demo/tresk_doc.h"
#include "editor/sound_audition.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

using namespace edtest;

namespace {

class RecordingPlayer : public SoundPlayer {
  public:
    struct Call {
        WaveFormat format;
        size_t bytes;
        std::string samples;
        int64_t capMs;
    };
    std::vector<Call> calls;
    void Play(const WaveSound& sound, int64_t capMs) override {
        calls.push_back({sound.format, sound.size,
                         std::string(reinterpret_cast<const char*>(sound.samples), sound.size),
                         capMs});
    }
};

class AuditionTest : public testing::Test {
  protected:
    void SetUp() override {
        CQRefApiImport::RemovePakFiles();
        folder = std::filesystem::temp_directory_path() /
                 ("cinerad-audition-" + std::to_string(getpid()) + "-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder / "sound" / "world");
        doc.refImport.SetBaseDirectory((folder.string() + "/").c_str());
    }
    void TearDown() override {
        CQRefApiImport::RemovePakFiles();
        std::filesystem::remove_all(folder);
    }
    void WriteSound(const std::string& relative, const std::string& bytes) {
        std::ofstream(folder / "sound" / relative, std::ios::binary) << bytes;
    }

    std::filesystem::path folder;
    CTreskDoc doc;
    ScriptedUi ui;
    RecordingPlayer player;
};

TEST_F(AuditionTest, PlaysTheRowsFileFromTheSoundFolderWithACapOfItsLengthPlusTwoSeconds) {
    const std::string file = SimpleWave(11025 * 3); // three seconds
    WriteSound("world/amb1.wav", file);
    doc.soundTable.Set(0, "misc/other.wav");
    doc.soundTable.Set(1, "world/amb1.wav");
    EXPECT_EQ(AuditionSound(doc, 1, player, ui), AuditionResult::kPlayed);
    ASSERT_EQ(player.calls.size(), 1u);
    const RecordingPlayer::Call& call = player.calls[0];
    EXPECT_EQ(call.format.sampleType, WaveSampleType::kSigned16);
    EXPECT_EQ(call.format.channels, 1);
    EXPECT_EQ(call.format.sampleRate, 11025u);
    EXPECT_EQ(call.bytes, 11025u * 3 * 2);
    EXPECT_EQ(call.samples, file.substr(44));
    EXPECT_EQ(call.capMs, 3000 + 2000);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AuditionTest, AMissingOrUnreadableFileSaysSoAndPlaysNothing) {
    WriteSound("bad.wav", "RIFF....WAVEjunk");
    WriteSound("adpcm.wav", BuildWave({{"fmt ", FormatBody(2, 1, 11025, 256, 4)},
                                       {"data", std::string(256, '\0')}}));
    doc.soundTable.Set(0, "missing.wav");
    doc.soundTable.Set(1, "bad.wav");
    doc.soundTable.Set(2, "adpcm.wav");
    doc.soundTable.Set(3, "");
    for (int row = 0; row < 4; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(AuditionSound(doc, row, player, ui), AuditionResult::kNotLoaded);
    }
    EXPECT_EQ(ui.messages, std::vector<std::string>(4, "Error:  Couldn't load wav file."));
    EXPECT_TRUE(player.calls.empty());
}

TEST_F(AuditionTest, NamesThatWouldLeaveTheSoundFolderAreRefused) {
    // A file that the names below would reach if they were followed.
    std::ofstream(folder / "secret.wav", std::ios::binary) << SimpleWave(10);
    for (const char* name : {"../secret.wav", "world/../../secret.wav", "/etc/passwd"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(SoundFilePath(name), "");
    }
    EXPECT_EQ(SoundFilePath("world/amb1.wav"), "sound/world/amb1.wav");
    doc.soundTable.Set(0, "../secret.wav");
    EXPECT_EQ(AuditionSound(doc, 0, player, ui), AuditionResult::kNotLoaded);
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Error:  Couldn't load wav file."});
    EXPECT_TRUE(player.calls.empty());
}

TEST_F(AuditionTest, ARowOutsideTheTableDoesNothing) {
    doc.soundTable.Set(0, "a.wav");
    EXPECT_EQ(AuditionSound(doc, -1, player, ui), AuditionResult::kNoSound);
    EXPECT_EQ(AuditionSound(doc, 1, player, ui), AuditionResult::kNoSound);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(player.calls.empty());
}

TEST_F(AuditionTest, ASoundOfARealGameArchiveIsLoadedFromThePak) {
    const std::filesystem::path pak =
        std::filesystem::path(CINERAD_CORPUS_DIR) / "assets" / "pak" / "3zb2_pak6.pak";
    if (!std::filesystem::exists(pak)) {
        GTEST_SKIP() << "corpus archive not found: " << pak;
    }
    CQRefApiImport::AddPakFile(pak.string().c_str());
    doc.soundTable.Set(0, "3zb/emgcall.wav");
    doc.soundTable.Set(1, "weapons/rocklf1a.wav");
    EXPECT_EQ(AuditionSound(doc, 0, player, ui), AuditionResult::kPlayed);
    EXPECT_EQ(AuditionSound(doc, 1, player, ui), AuditionResult::kPlayed);
    ASSERT_EQ(player.calls.size(), 2u);
    // 8-bit mono at 22050 Hz, 50616 bytes of samples: 2296 ms.
    EXPECT_EQ(player.calls[0].format.sampleType, WaveSampleType::kUnsigned8);
    EXPECT_EQ(player.calls[0].format.channels, 1);
    EXPECT_EQ(player.calls[0].format.sampleRate, 22050u);
    EXPECT_EQ(player.calls[0].bytes, 50616u);
    EXPECT_EQ(player.calls[0].capMs, 2296 + 2000);
    EXPECT_GT(player.calls[1].bytes, 0u);
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
