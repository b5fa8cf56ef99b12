// The preview driving on a generated demo: opening (and why it cannot), the scene, playback,
// the buttons, a ReFilm flight written back into the demo, the model viewer and the
// filmstrip.
#include "preview_fixture.h"

#include "demo/demo_block.h"
#include "demo/edit_transaction.h"

#include <QTest>

#include <set>

namespace pvtest {
namespace {

class PreviewDriverTest : public PreviewTest {};

TEST_F(PreviewDriverTest, OpeningBuildsTheSceneFromTheDocument) {
    OpenDemo(GeneratedDemo(40));
    ASSERT_TRUE(OpenPreview()) << (ui.messages.empty() ? "" : ui.messages.back());
    const scene_ref_stats* stats = RendererStats();
    ASSERT_NE(stats, nullptr);
    EXPECT_STREQ(stats->map, "sample1");
    EXPECT_GT(stats->mapLength, 0);
    EXPECT_STREQ(stats->models[0], "maps/sample1.bsp");
    // The world, every precached model and one model per player model name.
    std::set<std::string> models;
    for (int i = 0; i < stats->modelCount; ++i) {
        models.insert(stats->models[i]);
    }
    for (int i = 0; i < doc->modelTable.Count(); ++i) {
        EXPECT_TRUE(models.count(doc->modelTable.Entry(i))) << doc->modelTable.Entry(i);
    }
    EXPECT_TRUE(models.count("players/male/tris.md2"));
    EXPECT_STREQ(stats->sky, "unit1_");
    EXPECT_EQ(doc->playerModels[0].modelNumber, 300);
    EXPECT_EQ(doc->playerModels[0].path.rfind("players/", 0), 0u);
    EXPECT_EQ(Window()->windowTitle(), "Cinerad 2 Preview Window");
    // The current block is shown: its player's eye and the entities its frame shows.
    const PlayerState& ps = *PlayerOf(view->CurrentBlockNumber());
    EXPECT_FLOAT_EQ(stats->vieworg[0], ps.origin[0] / 8.0f + ps.viewoffset[0] / 4.0f);
    EXPECT_GT(stats->entities, 0);
    // The recording player's own entity is never drawn.
    EXPECT_EQ(Window()->RenderEntityOf(doc->playerNumber + 1), nullptr);

    // The command closes it again.
    EXPECT_TRUE(driver->OnPreview3d());
    EXPECT_FALSE(driver->IsOpen());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PreviewDriverTest, SaysWhyThePreviewCannotStart) {
    OpenDemo(GeneratedDemo(10), /*withMap=*/false);
    EXPECT_FALSE(OpenPreview());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("maps/sample1.bsp"), std::string::npos) << ui.messages[0];

    options.programDir.clear();
    OpenDemo(GeneratedDemo(10));
    EXPECT_FALSE(OpenPreview());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].find("no renderer library"), std::string::npos) << ui.messages[1];

    // Model 1 that is not a map.
    options.programDir = SCENE_REF_DIR;
    OpenDemo(GeneratedDemo(10));
    doc->modelTable.Set(0, "models/../../etc/passwd");
    EXPECT_FALSE(OpenPreview());
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_NE(ui.messages[2].find("names no map"), std::string::npos) << ui.messages[2];
}

TEST_F(PreviewDriverTest, ASecondPreviewIsRefused) {
    OpenDemo(GeneratedDemo(10));
    ASSERT_TRUE(OpenPreview());
    auto otherDoc = edtest::LoadDoc(GeneratedDemo(10));
    CQRefApiImport::AddPakFiles({dir.File("pak0.pak")});
    CTreskView otherView(*otherDoc, ui, display);
    otherView.OnInitialUpdate(dir.Path().string());
    CPreviewDriver other(otherView, factory, timers, &strip);
    other.SetOptions(options);
    EXPECT_FALSE(other.OnPreview3d());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "A 3D preview is already open. Close it before opening another one.");
    EXPECT_TRUE(driver->IsOpen());
}

TEST_F(PreviewDriverTest, PlaysOneBlockPerTickUntilTheEnd) {
    OpenDemo(GeneratedDemo(30));
    ASSERT_TRUE(OpenPreview());
    const uint32_t start = view->CurrentBlockNumber();
    Press(0x958);
    EXPECT_TRUE(driver->IsPlaying());
    EXPECT_EQ(timers.running.at(kPlaybackTimer), 80);
    std::set<std::vector<float>> views;
    // The first tick shows the block fed last once more, then its successors.
    for (int i = 0; i < 10; ++i) {
        Tick();
        EXPECT_EQ(Window()->m_nBlockIndex, static_cast<int>(start) + i);
        const scene_ref_stats* s = RendererStats();
        views.insert({s->vieworg[0], s->vieworg[1], s->vieworg[2], s->viewangles[1]});
    }
    EXPECT_GT(views.size(), 5u);
    EXPECT_EQ(driver->PlaybackPosition(), start + 10);
    // Playing moves the preview, not the editor.
    EXPECT_EQ(view->CurrentBlockNumber(), start);

    Tick(static_cast<int>(doc->blockCount));
    EXPECT_FALSE(driver->IsPlaying());
    EXPECT_FALSE(timers.Runs(kPlaybackTimer));
    EXPECT_EQ(Window()->OverlayText(), "STOPPED: end of demo.");

    // Go to the playback position: past the end it is the block before the last.
    Press(0x95B);
    EXPECT_EQ(view->CurrentBlockNumber(), doc->blockCount - 1);
    Press(0x956);
    EXPECT_EQ(view->CurrentBlockNumber(), doc->firstFrameBlock);
    Press(0x959);
    EXPECT_EQ(view->CurrentBlockNumber(), doc->firstFrameBlock + 1);
    Press(0x957);
    EXPECT_EQ(view->CurrentBlockNumber(), doc->firstFrameBlock);
    Press(0x95A);
    EXPECT_EQ(view->CurrentBlockNumber(), doc->blockCount);
}

TEST_F(PreviewDriverTest, SelectionRecordStopsAtTheEndOfTheSelection) {
    OpenDemo(GeneratedDemo(30));
    ASSERT_TRUE(OpenPreview());
    const uint32_t first = view->CurrentBlockNumber();
    view->OnUpdate(nullptr, kHintSelectBlocks, {first, first + 5});
    QTest::keyClick(Window(), Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_TRUE(Window()->IsSelectionRecord());
    Press(0x958);
    int ticks = 0;
    while (driver->IsPlaying() && ticks < 20) {
        Tick();
        ++ticks;
    }
    // Stops when the position reaches first + count - 2; that tick still shows a block.
    EXPECT_EQ(ticks, 5);
    EXPECT_EQ(driver->PlaybackPosition(), first + 5);
    EXPECT_EQ(Window()->OverlayText(), "STOPPED: end of selection.");
}

TEST_F(PreviewDriverTest, PlaybackStopsWhenTheBlockListChanges) {
    OpenDemo(GeneratedDemo(30));
    ASSERT_TRUE(OpenPreview());
    Press(0x958);
    Tick(3);
    ASSERT_TRUE(driver->IsPlaying());
    // Any committed edit, as Cut, Delete, Reverse, Paste, Undo and Redo make.
    {
        const uint32_t n = view->CurrentBlockNumber();
        EditTransaction edit(*doc, {n, 1}, view->Place());
        view->CommitEdit(edit, "test edit");
    }
    Tick();
    EXPECT_FALSE(driver->IsPlaying());
    EXPECT_FALSE(timers.Runs(kPlaybackTimer));
}

TEST_F(PreviewDriverTest, AReFilmFlightIsWrittenIntoTheFramesItPlayed) {
    OpenDemo(GeneratedDemo(30));
    ASSERT_TRUE(OpenPreview());
    const uint32_t start = view->CurrentBlockNumber();
    std::vector<PlayerState> before;
    for (uint32_t n = 1; n <= doc->blockCount; ++n) {
        const PlayerState* ps = PlayerOf(n);
        before.push_back(ps ? *ps : PlayerState{});
    }
    // A paint or a filmstrip during a flight writes nothing.
    Press(0x958);
    QTest::mouseClick(Window(), Qt::RightButton);
    ASSERT_TRUE(Window()->IsFlyMode());
    EXPECT_EQ(Window()->OverlayText(), "ReFilm ON: Arrowkeys;PGup/PGdown;tab;+/-");
    driver->RefreshFilmstrip();
    Window()->repaint();
    QTest::keyPress(Window(), Qt::Key_PageUp);
    const size_t stepsBefore = doc->history.Count();
    Tick(5);
    QTest::keyRelease(Window(), Qt::Key_PageUp);
    EXPECT_EQ(doc->history.Count(), stepsBefore + 5);

    // Blocks start .. start+4 hold the flown camera: each climbs by the speed (16).
    const int16_t z0 = before[start - 1].origin[2];
    const float eye0 = before[start - 1].origin[2] / 8.0f + before[start - 1].viewoffset[2] / 4.0f;
    for (uint32_t i = 0; i < 5; ++i) {
        const PlayerState& ps = *PlayerOf(start + i);
        EXPECT_EQ(ps.origin[2], static_cast<int16_t>((eye0 + 16.0f * (i + 1)) * 8.0f)) << i;
        EXPECT_EQ(ps.viewoffset[2], 0);
        EXPECT_EQ(ps.blend[3], 0.0f);
    }
    (void)z0;
    for (uint32_t n = 1; n <= doc->blockCount; ++n) {
        if (n >= start && n < start + 5) {
            continue;
        }
        const PlayerState* ps = PlayerOf(n);
        if (ps) {
            EXPECT_EQ(0, std::memcmp(ps, &before[n - 1], sizeof *ps)) << "block " << n;
        }
    }
}

TEST_F(PreviewDriverTest, TheFilmstripShowsTenBlocksOfTheSelection) {
    OpenDemo(GeneratedDemo(60));
    ASSERT_TRUE(OpenPreview());
    const uint32_t first = view->CurrentBlockNumber() + 2;
    view->OnUpdate(nullptr, kHintSelectBlocks, {first, first + 18});
    // SELECT fills it too; here the button does.
    driver->RefreshFilmstrip();
    std::set<std::vector<uint32_t>> pictures;
    for (int j = 0; j < 10; ++j) {
        const auto& f = strip.frames[static_cast<size_t>(j)];
        EXPECT_EQ(f.block, static_cast<int>(first) + 2 * j);
        EXPECT_EQ(f.image.width, 100);
        EXPECT_EQ(f.image.height, 75);
        pictures.insert(f.image.pixels);
    }
    EXPECT_EQ(pictures.size(), 10u);
    // The preview shows the current block again, and the playback block did not move.
    EXPECT_EQ(Window()->m_nBlockIndex, static_cast<int>(first));
    EXPECT_EQ(driver->PlaybackBlock(), doc->currentBlock);

    // Fewer than ten blocks: every frame shows the first.
    view->OnUpdate(nullptr, kHintSelectBlocks, {first, first + 4});
    driver->RefreshFilmstrip();
    for (const auto& f : strip.frames) {
        EXPECT_EQ(f.block, static_cast<int>(first));
    }
}

TEST_F(PreviewDriverTest, TheModelViewerSpinsItsOwnEntity) {
    OpenDemo(GeneratedDemo(20));
    driver->ShowModel(1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "3D preview must be open for this feature to work.");
    EXPECT_FALSE(timers.Runs(kModelTimer));

    ASSERT_TRUE(OpenPreview());
    view->OnUpdate(nullptr, 10, {1, 0});
    EXPECT_EQ(timers.running.at(kModelTimer), 30);
    const entity_t* e = Window()->RenderEntityOf(kModelViewerEntity);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->flags, 72);
    EXPECT_EQ(RendererStats()->rdflags, 2);
    driver->OnTimer(kModelTimer);
    driver->OnTimer(kModelTimer);
    EXPECT_FLOAT_EQ(Window()->RenderEntityOf(kModelViewerEntity)->angles[1], 2.0f);
    // Playback takes the window back.
    Press(0x958);
    EXPECT_FALSE(timers.Runs(kModelTimer));
    Press(0x955);
    view->OnUpdate(nullptr, 10, {1, 0});
    driver->Close();
    EXPECT_FALSE(timers.Runs(kModelTimer));
}

TEST_F(PreviewDriverTest, ClosingTheWindowClosesThePreview) {
    OpenDemo(GeneratedDemo(10));
    ASSERT_TRUE(OpenPreview());
    Window()->close();
    QApplication::processEvents();
    EXPECT_FALSE(driver->IsOpen());
    // And it opens again with a new window.
    ASSERT_TRUE(OpenPreview());
    EXPECT_TRUE(Window()->IsRegistered());
}

} // namespace
} // namespace pvtest
