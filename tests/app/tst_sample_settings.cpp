// scripts/sample_settings.sh, which run.sh uses so that the preview works on the bundled
// sample when the game's own data is not installed: what it writes is what the editor reads.
#include "app_test_util.h"

#include "settings_store.h"

#include "demo/app_settings.h"
#include "orrery/cqrefapiimport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

class SampleSettingsTest : public testing::Test {
  protected:
    void SetUp() override {
        ResetSettings();
        // The script writes where the editor's store lives: XDG_CONFIG_HOME/Cinerad2/Tresk.conf.
        storeFile_ = QSettings(QStringLiteral("Cinerad2"), QStringLiteral("Tresk")).fileName();
        QFile::remove(storeFile_);
    }
    void TearDown() override { ResetSettings(); }

    int RunScript(const QString& gamePak) {
        QProcess script;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"),
                   QFileInfo(QFileInfo(storeFile_).path()).path());
        env.insert(QStringLiteral("CINERAD_GAME_PAK"), gamePak);
        script.setProcessEnvironment(env);
        script.start(QStringLiteral("bash"),
                     {QStringLiteral(CINERAD_SOURCE_DIR "/scripts/sample_settings.sh"),
                      QStringLiteral(CINERAD_BUILD_DIR)});
        EXPECT_TRUE(script.waitForFinished(30000));
        return script.exitCode();
    }

    QString storeFile_;
};

TEST_F(SampleSettingsTest, WithoutTheGameTheEditorStartsWithTheSamplePakAndFindsItsMap) {
    ASSERT_EQ(RunScript(QStringLiteral("/nonexistent/baseq2/pak0.pak")), 0);
    AppSettings settings;
    ASSERT_EQ(LoadSettings(settings), SettingsLoad::Loaded) << "not a first run any more";
    EXPECT_EQ(settings.gamma, 50);
    EXPECT_EQ(settings.quake2Path, "");
    EXPECT_EQ(settings.previewWidth, 320);
    EXPECT_EQ(settings.previewHeight, 240);
    const std::string build = QDir(QStringLiteral(CINERAD_BUILD_DIR)).absolutePath().toStdString();
    EXPECT_EQ(settings.pakFiles, (std::vector<std::string>{build + "/share/sample.pak",
                                                           build + "/bin/cinerad.pak"}));

    // The map the sample demo names and a marker skin are found through that list.
    CQRefApiImport::AddPakFiles(settings.pakFiles);
    CQRefApiImport host;
    host.SetBaseDirectory("/baseq2/");
    EXPECT_GT(host.FS_LoadFile("maps/sample1.bsp", nullptr), 0);
    EXPECT_GT(host.FS_LoadFile("skins/skin1.pcx", nullptr), 0);

    // Stored settings are the person's: a second run leaves them as they are.
    AppSettings own;
    own.gamma = 70;
    SaveSettings(own);
    ASSERT_EQ(RunScript(QStringLiteral("/nonexistent/baseq2/pak0.pak")), 0);
    ASSERT_EQ(LoadSettings(settings), SettingsLoad::Loaded);
    EXPECT_EQ(settings.gamma, 70);
}

TEST_F(SampleSettingsTest, AnInstalledGameKeepsTheNormalFirstRun) {
    ASSERT_EQ(RunScript(QStringLiteral(CINERAD_SOURCE_DIR "/scripts/sample_settings.sh")), 0);
    EXPECT_FALSE(QFileInfo::exists(storeFile_));
    AppSettings settings;
    EXPECT_EQ(LoadSettings(settings), SettingsLoad::FirstRun);
}

} // namespace
