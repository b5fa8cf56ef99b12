// Every recorded demo of the corpus opens in the program and shows its first block of play,
// without a message; a demo of another protocol than the game's 34 opens after a warning.
#include "app_test_util.h"

#include "main_frame.h"
#include "tresk_view_form.h"

#include "demo/demo_block.h"
#include "demo/svc.h"
#include "demo/tresk_doc.h"
#include "editor/command_ids.h"

#include <QDir>
#include <QFile>
#include <QLabel>

#include <gtest/gtest.h>

using namespace apptest;

namespace {

// The protocol the demo's opening serverdata names: the first block's length, the message id
// and then the protocol, all little-endian.
int32_t OpeningProtocol(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return 0;
    }
    const QByteArray head = file.read(9);
    if (head.size() < 9) {
        return 0;
    }
    const auto* b = reinterpret_cast<const uint8_t*>(head.constData()) + 5;
    return static_cast<int32_t>(b[0] | b[1] << 8 | b[2] << 16 | uint32_t{b[3]} << 24);
}

} // namespace

TEST(CorpusInEditor, EveryDemoOpensAtItsFirstBlockOfPlay) {
    const QDir demos(QStringLiteral(CINERAD_CORPUS_DIR "/demos"));
    const QStringList files = demos.entryList({QStringLiteral("*.dm2")}, QDir::Files, QDir::Name);
    if (files.isEmpty()) {
        GTEST_SKIP() << "no corpus demos in " << demos.path().toStdString();
    }
    for (const QString& name : files) {
        SCOPED_TRACE(name.toStdString());
        ResetSettings();
        StoreNormalSettings();
        ModalRecorder boxes;
        const int32_t protocol = OpeningProtocol(demos.filePath(name));
        {
            RunningApp app({demos.filePath(name)});
            ASSERT_TRUE(app.Started());
            CTreskViewForm* form = app.ActiveForm();
            ASSERT_NE(form, nullptr);
            CTreskView& view = form->View();
            const CTreskDoc& doc = view.Document();
            ASSERT_NE(doc.firstFrameBlock, 0u);
            EXPECT_EQ(view.CurrentBlockNumber(), doc.firstFrameBlock);
            ASSERT_NE(doc.currentBlock, nullptr);
            EXPECT_NE(doc.currentBlock->FindMessage(svc_frame), nullptr);
            EXPECT_EQ(app.Text(IDC_SELECTION_TEXT),
                      QStringLiteral("%1/%2 - %1/%2").arg(doc.firstFrameBlock).arg(doc.blockCount));
            EXPECT_FALSE(app.Text(IDC_NAME_TEXT).isEmpty());
        }
        if (protocol == 34) {
            EXPECT_TRUE(boxes.Texts().isEmpty())
                << boxes.Texts().join(QStringLiteral(" | ")).toStdString();
        } else {
            ASSERT_FALSE(boxes.Texts().isEmpty());
            EXPECT_TRUE(boxes.Texts().front().contains(QStringLiteral("protocol %1").arg(protocol)))
                << boxes.Texts().front().toStdString();
        }
    }
    ResetSettings();
}
