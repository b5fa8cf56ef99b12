// The floating "Models" and "Sounds" lists over an editor window: their rows, View Model's
// hint and its answer without a preview, auditions through a recording player, the layout
// on resizing, and closing with the editor window.
#include "app_test_util.h"

#include "audio_sink_player.h"
#include "floating_list_dlg.h"
#include "main_frame.h"
#include "tresk_view_form.h"

#include "demo/tresk_doc.h"
#include "editor/command_ids.h"

#include <QFile>
#include <QListWidget>
#include <QMdiArea>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

class RecordingPlayer : public SoundPlayer {
  public:
    struct Call {
        WaveFormat format;
        size_t bytes;
        int64_t capMs;
    };
    std::vector<Call> calls;
    void Play(const WaveSound& sound, int64_t capMs) override {
        calls.push_back({sound.format, sound.size, capMs});
    }
};

QStringList Rows(const QListWidget& list) {
    QStringList rows;
    for (int r = 0; r < list.count(); ++r) {
        rows << list.item(r)->text();
    }
    return rows;
}

void DoubleClickRow(QListWidget& list, int row) {
    list.setCurrentRow(row);
    emit list.itemDoubleClicked(list.item(row));
}

// Runs `act` and returns the text of the message box it shows (closing it).
QString BoxTextOf(const std::function<void()>& act) {
    QString text;
    OnNextModal([&text](QWidget* box) {
        text = static_cast<QMessageBox*>(box)->text();
        static_cast<QDialog*>(box)->reject();
    });
    act();
    if (PendingModalAnswers() != 0) {
        ClearModalAnswers();
        return QStringLiteral("(no box)");
    }
    return text;
}

// A 16-bit stereo wave of `frames` frames at 22050 Hz.
QByteArray StereoWave(int frames) {
    QByteArray data(frames * 4, '\x10');
    QByteArray file("RIFF");
    const auto put32 = [&file](quint32 v) {
        for (int i = 0; i < 4; ++i) {
            file.append(static_cast<char>((v >> (8 * i)) & 0xFF));
        }
    };
    const auto put16 = [&file](quint16 v) {
        file.append(static_cast<char>(v & 0xFF));
        file.append(static_cast<char>(v >> 8));
    };
    put32(static_cast<quint32>(4 + 24 + 8 + data.size()));
    file.append("WAVEfmt ");
    put32(16);
    put16(1);
    put16(2);
    put32(22050);
    put32(22050 * 4);
    put16(4);
    put16(16);
    file.append("data");
    put32(static_cast<quint32>(data.size()));
    return file + data;
}

class FloatingListTest : public GameDemoTest {
  protected:
    FloatingListTest() : GameDemoTest(20) {}
    void SetUp() override {
        GameDemoTest::SetUp();
        SetProgramSoundPlayer(&player_);
    }
    void TearDown() override {
        SetProgramSoundPlayer(nullptr);
        EXPECT_EQ(PendingModalAnswers(), 0);
        GameDemoTest::TearDown();
    }
    template <class T> T* OpenList(RunningApp& app, int command) {
        const QList<T*> before = app.ActiveForm()->findChildren<T*>();
        EXPECT_TRUE(app.Frame().ExecuteCommand(command));
        for (T* dlg : app.ActiveForm()->findChildren<T*>()) {
            if (!before.contains(dlg)) {
                return dlg;
            }
        }
        return nullptr;
    }

    RecordingPlayer player_;
};

TEST_F(FloatingListTest, TheModelListNumbersItsRowsAndViewModelNeedsAnOpenPreview) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CTreskViewForm* form = app.ActiveForm();
    CTreskDoc& doc = form->View().Document();
    doc.modelTable.Clear();
    doc.modelTable.Set(0, "maps/q2dm1.bsp");
    doc.modelTable.Set(1, "models/items/armor/body/tris.md2");
    doc.modelTable.Set(2, "#w_railgun.md2");

    CModelListDlg* dlg = OpenList<CModelListDlg>(app, ID_VIEW_MODELS);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->objectName(), "190");
    EXPECT_EQ(dlg->windowTitle(), "Models");
    EXPECT_FALSE(dlg->isModal());
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->Button()->text(), "&View Model");
    EXPECT_EQ(dlg->List()->objectName(), "1132");
    EXPECT_EQ(Rows(*dlg->List()),
              (QStringList{"1.maps/q2dm1.bsp", "2.models/items/armor/body/tris.md2",
                           "3.#w_railgun.md2"}));

    // (Without an open preview the editor answers with its message instead: the editor suite
    // checks that path.)
    std::vector<uint32_t> shown;
    form->View().previewHooks.showModel = [&shown](uint32_t row) { shown.push_back(row); };
    // With the preview open the editor's model viewer is asked for row 1 (model index 2).
    doc.previewOpen = true;
    DoubleClickRow(*dlg->List(), 1);
    dlg->List()->setCurrentRow(2);
    dlg->Button()->click();
    EXPECT_EQ(shown, (std::vector<uint32_t>{1, 2}));
    // No row selected: nothing.
    dlg->List()->setCurrentRow(-1);
    dlg->Button()->click();
    EXPECT_EQ(shown.size(), 2u);
    doc.previewOpen = false;
    form->View().previewHooks.showModel = nullptr;

    // A further command opens a further window; it shows the table as it is then.
    doc.modelTable.SetCount(1);
    CModelListDlg* second = OpenList<CModelListDlg>(app, ID_VIEW_MODELS);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, dlg);
    EXPECT_EQ(second->List()->count(), 1);
    EXPECT_EQ(dlg->List()->count(), 3);
}

TEST_F(FloatingListTest, TheSoundListAuditionsThroughThePlayerAndReportsAMissingFile) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    CTreskDoc& doc = app.ActiveForm()->View().Document();
    ASSERT_TRUE(QDir(dir_.path()).mkpath(QStringLiteral("sound/world")));
    QFile wave(dir_.filePath(QStringLiteral("sound/world/amb1.wav")));
    ASSERT_TRUE(wave.open(QIODevice::WriteOnly));
    wave.write(StereoWave(22050 / 2));
    wave.close();
    doc.refImport.SetBaseDirectory((dir_.path() + QStringLiteral("/")).toLocal8Bit().constData());
    doc.soundTable.Clear();
    doc.soundTable.Set(0, "world/amb1.wav");
    doc.soundTable.Set(1, "world/none.wav");

    CSoundListDlg* dlg = OpenList<CSoundListDlg>(app, ID_VIEW_SOUNDS);
    ASSERT_NE(dlg, nullptr);
    EXPECT_EQ(dlg->objectName(), "191");
    EXPECT_EQ(dlg->windowTitle(), "Sounds");
    EXPECT_EQ(dlg->Button()->text(), "&Audition Sound");
    EXPECT_EQ(dlg->List()->objectName(), "1133");
    EXPECT_EQ(Rows(*dlg->List()), (QStringList{"1.world/amb1.wav", "2.world/none.wav"}));

    DoubleClickRow(*dlg->List(), 0);
    ASSERT_EQ(player_.calls.size(), 1u);
    EXPECT_EQ(player_.calls[0].format.channels, 2);
    EXPECT_EQ(player_.calls[0].format.sampleRate, 22050u);
    EXPECT_EQ(player_.calls[0].format.sampleType, WaveSampleType::kSigned16);
    EXPECT_EQ(player_.calls[0].bytes, 22050u / 2 * 4);
    EXPECT_EQ(player_.calls[0].capMs, 500 + 2000);

    dlg->List()->setCurrentRow(1);
    EXPECT_EQ(BoxTextOf([dlg] { dlg->Button()->click(); }), "Error:  Couldn't load wav file.");
    EXPECT_EQ(player_.calls.size(), 1u);
}

TEST_F(FloatingListTest, ResizingKeepsTheButtonAtTheBottomAndTheListsCloseWithTheirWindow) {
    RunningApp app({demo_});
    ASSERT_TRUE(app.Started());
    QPointer<CModelListDlg> models = OpenList<CModelListDlg>(app, ID_VIEW_MODELS);
    QPointer<CSoundListDlg> sounds = OpenList<CSoundListDlg>(app, ID_VIEW_SOUNDS);
    ASSERT_TRUE(models && sounds);
    ASSERT_TRUE(models->Ready());
    const int b = models->Button()->height();
    for (const QSize size : {QSize(260, 420), QSize(150, 120)}) {
        models->resize(size);
        ProcessEvents();
        const QSize client = models->size();
        EXPECT_EQ(models->Button()->geometry(),
                  QRect(2, client.height() - b - 2, client.width() - 4, b));
        EXPECT_EQ(models->List()->geometry(),
                  QRect(2, 2, client.width() - 4, client.height() - 8 - b));
    }

    // Closing the demo's window takes its lists with it.
    app.Frame().MdiArea()->closeAllSubWindows();
    ProcessEvents();
    EXPECT_TRUE(models.isNull());
    EXPECT_TRUE(sounds.isNull());
}

} // namespace
