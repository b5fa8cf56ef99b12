// The preview window on the test renderer: adopting its window, the model table and entity
// bounds, the keys, the overlay, the buttons and closing.
#include "preview_fixture.h"

#include "orrery/cqrefapiimport.h"
#include "orrery/ctreskprevwnd.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include <cstring>

namespace {

using pvtest::RendererStats;

struct RecordingOwner : CPrevWndOwner {
    struct Sent {
        unsigned message;
        uintptr_t wParam;
    };
    std::vector<Sent> sent;
    void OnPreviewMessage(unsigned message, uintptr_t wParam, const void*) override {
        sent.push_back({message, wParam});
    }
};

class PreviewWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.SetVideoInfo(160, 120);
        window = std::make_unique<CTreskPrevWnd>(&host, std::vector<std::string>{SCENE_REF_PATH});
        ASSERT_TRUE(window->IsBound());
        ASSERT_EQ(window->Create("Preview", &owner), 1);
    }
    void Register() {
        window->BeginRegistration("sample1");
        window->RegisterModel(33, "maps/sample1.bsp");
        window->RegisterModel(34, "models/a.md2");
        window->EndRegistration();
    }
    static preventity_s Entity(float x) {
        preventity_s r;
        std::memset(&r, 0, sizeof r);
        r.modelindex = 2;
        r.origin[0] = x;
        r.skinmarker = -1;
        return r;
    }

    CQRefApiImport host;
    RecordingOwner owner;
    std::unique_ptr<CTreskPrevWnd> window;
};

TEST_F(PreviewWindowTest, AdoptsTheRenderersWindowWithTheButtonStrip) {
    EXPECT_EQ(window->width(), 160);
    EXPECT_EQ(window->height(), 120 + 18);
    EXPECT_EQ(window->windowTitle(), "Preview");
    for (unsigned id = 2389; id <= 2395; ++id) {
        auto* b = window->findChild<QAbstractButton*>(QString::number(id));
        ASSERT_NE(b, nullptr) << id;
        EXPECT_EQ(b->geometry(), QRect(18 * static_cast<int>(id - 2389), 138 - 16, 18, 16));
        b->click();
        ASSERT_FALSE(owner.sent.empty());
        EXPECT_EQ(owner.sent.back().message, id);
    }
    // No frames before registration ends.
    EXPECT_EQ(window->UpdateFrame(), 0);
    Register();
    EXPECT_EQ(window->UpdateFrame(), 1);
    EXPECT_EQ(window->Screen().size(), QSize(160, 120));
    EXPECT_FLOAT_EQ(window->RefDef().fov_y, 73.7398f);
    const QImage thumb = window->GrabScreen(100, 75);
    EXPECT_EQ(thumb.size(), QSize(100, 75));
}

TEST_F(PreviewWindowTest, ModelAndEntityBounds) {
    window->BeginRegistration("sample1");
    EXPECT_EQ(window->RegisterModel(32, "a"), 0);
    EXPECT_EQ(window->RegisterModel(532, "a"), 0);
    EXPECT_EQ(window->RegisterModel(33, "a"), 1);
    EXPECT_EQ(window->RegisterModel(531, "a"), 1);
    window->EndRegistration();

    preventity_s r = Entity(0.0f);
    window->SpawnEntity(3, &r); // spawn marker 0 at the origin: not spawned
    EXPECT_FALSE(window->HasSlot(3));
    r.spawn = 1;
    window->SpawnEntity(3, &r);
    EXPECT_TRUE(window->HasSlot(3));
    window->SpawnEntity(500, &r);
    EXPECT_FALSE(window->HasSlot(500));
    window->SpawnEntity(0, &r);
    EXPECT_TRUE(window->HasSlot(0));
    // A model index outside the table never reaches it.
    r.modelindex = 9999;
    window->SpawnEntity(4, &r);
    window->UpdateEntity(4, &r);
    ASSERT_NE(window->RenderEntityOf(4), nullptr);
    EXPECT_EQ(window->RenderEntityOf(4)->model, nullptr);

    preventity_s u = Entity(5.0f);
    u.frame = 5;
    window->UpdateEntity(3, &u);
    u.frame = 7;
    window->UpdateEntity(3, &u);
    EXPECT_EQ(window->RenderEntityOf(3)->frame, 7);
    EXPECT_EQ(window->RenderEntityOf(3)->oldframe, 5);
    EXPECT_EQ(+u.oldframe, 5);

    // A hidden entity is left out of the frame until it is updated again.
    window->UpdateFrame();
    const int drawn = RendererStats()->entities;
    window->HideEntity(3);
    EXPECT_EQ(window->RenderEntityOf(3), nullptr);
    window->UpdateFrame();
    EXPECT_EQ(RendererStats()->entities, drawn - 1);
    window->UpdateEntity(3, &u);
    window->UpdateFrame();
    EXPECT_EQ(RendererStats()->entities, drawn);
}

TEST_F(PreviewWindowTest, KeysOfTheFlyModeAndTheOverlay) {
    Register();
    window->setFocus();
    QTest::keyClick(window.get(), Qt::Key_Tab);
    EXPECT_FALSE(window->IsPovFlight());
    EXPECT_EQ(window->OverlayText(), "Fly Mode:  Non-POV (Quake1)");
    EXPECT_STREQ(RendererStats()->overlay, "Fly Mode:  Non-POV (Quake1)");
    QTest::keyClick(window.get(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(window->IsSelectionRecord());
    EXPECT_EQ(window->OverlayText(), "Selection-Record status:  ON");

    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(window.get(), Qt::Key_Plus, Qt::KeypadModifier);
    }
    EXPECT_EQ(window->Speed(), 25);
    EXPECT_EQ(window->OverlayText(), "Speed: 25");
    for (int i = 0; i < 30; ++i) {
        QTest::keyClick(window.get(), Qt::Key_Minus, Qt::KeypadModifier);
    }
    EXPECT_EQ(window->Speed(), 1);
    EXPECT_EQ(window->OverlayText(), "Speed: 1");

    // Space asks the owner to play, or to stop while it plays.
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_EQ(owner.sent.back().message, 0x958u);
    window->m_bPlayback = true;
    QTest::keyClick(window.get(), Qt::Key_Space);
    EXPECT_EQ(owner.sent.back().message, 0x955u);
    window->m_bPlayback = false;

    // The overlay lasts 30 frames; a new line restarts the count; long lines are cut.
    window->Print(2, std::string(400, 'x').c_str());
    EXPECT_EQ(window->OverlayText().size(), 260u);
    for (int i = 0; i < 10; ++i) {
        window->UpdateFrame();
    }
    window->Print(2, "again");
    EXPECT_EQ(window->OverlayFrames(), 30);
    for (int i = 0; i < 30; ++i) {
        window->UpdateFrame();
    }
    EXPECT_STREQ(RendererStats()->overlay, "again");
    window->UpdateFrame();
    EXPECT_STREQ(RendererStats()->overlay, "");

    // A film holds the clock at each picture's time: the line lasts the same three seconds at
    // 30 pictures a second as 30 frames of play do.
    window->HoldClock(5.0f);
    window->Print(2, "filmed");
    int shown = 0;
    for (int picture = 1; picture <= 120; ++picture) {
        window->HoldClock(5.0f + static_cast<float>(picture) / 30.0f);
        window->UpdateFrame();
        shown += std::string(RendererStats()->overlay) == "filmed" ? 1 : 0;
    }
    EXPECT_EQ(shown, 90);
    window->ReleaseClock();

    // A line shown before the film keeps what was left of it: 20 frames are two seconds, and
    // the half second left when the clock goes is 5 frames again.
    window->Print(2, "before");
    for (int i = 0; i < 10; ++i) {
        window->UpdateFrame();
    }
    shown = 0;
    for (int picture = 0; picture <= 150; ++picture) {
        window->HoldClock(static_cast<float>(picture) / 100.0f);
        window->UpdateFrame();
        shown += std::string(RendererStats()->overlay) == "before" ? 1 : 0;
    }
    EXPECT_EQ(shown, 151);
    window->ReleaseClock();
    EXPECT_EQ(window->OverlayFrames(), 5);
}

TEST_F(PreviewWindowTest, FreeFlyMovesTheCameraByTheHeldKeys) {
    Register();
    prevplayer_s p{};
    p.vieworg[0] = 100.0f;
    p.fov = 90;
    window->UpdatePlayerInfo(&p);
    QTest::mouseClick(window.get(), Qt::RightButton);
    EXPECT_TRUE(window->IsFlyMode());
    EXPECT_TRUE(window->IsFlyTimer());
    EXPECT_EQ(window->OverlayText(), "Free-fly mode ON. (not recording)");
    QTest::keyPress(window.get(), Qt::Key_Up);
    window->UpdatePlayerInfo(nullptr); // what a tick of timer 1 does
    EXPECT_FLOAT_EQ(window->RefDef().vieworg[0], 100.0f + 2 * 16);
    // The demo's view no longer moves the camera.
    window->UpdatePlayerInfo(&p);
    EXPECT_FLOAT_EQ(window->RefDef().vieworg[0], 100.0f + 4 * 16);
    QTest::keyRelease(window.get(), Qt::Key_Up);
    QTest::keyRelease(window.get(), Qt::Key_Escape);
    EXPECT_FLOAT_EQ(window->RefDef().vieworg[0], 100.0f);
    QTest::mouseClick(window.get(), Qt::RightButton);
    EXPECT_FALSE(window->IsFlyMode());
    EXPECT_EQ(window->OverlayText(), "Free-fly mode OFF.");
}

TEST_F(PreviewWindowTest, ClosingPostsOnlyOnceRegistered) {
    window->close();
    QApplication::processEvents();
    EXPECT_TRUE(owner.sent.empty());
    window->show();
    Register();
    window->close();
    EXPECT_TRUE(owner.sent.empty()); // posted, not sent
    QApplication::processEvents();
    ASSERT_EQ(owner.sent.size(), 1u);
    EXPECT_EQ(owner.sent[0].message, 0x846u);
    // A window deleted before its post is delivered posts nothing.
    window->show();
    window->close();
    window.reset();
    QApplication::processEvents();
    EXPECT_EQ(owner.sent.size(), 1u);
}

TEST(PreviewWindow, OnlyOneWindowHoldsTheRenderer) {
    CQRefApiImport host;
    CTreskPrevWnd first(&host, {SCENE_REF_PATH});
    ASSERT_TRUE(first.IsBound());
    CTreskPrevWnd second(&host, {SCENE_REF_PATH});
    EXPECT_FALSE(second.IsBound());
    EXPECT_TRUE(second.RefusedAsSecond());
    EXPECT_EQ(second.Create("x", nullptr), 0);
}

TEST(PreviewWindow, AForeignRendererIsPassedOverForTheNext) {
    CQRefApiImport host;
    CTreskPrevWnd window(&host, {"/nonexistent/ref_soft.so", SCENE_REF_WIDE_PATH, SCENE_REF_PATH});
    EXPECT_TRUE(window.IsBound());
}

} // namespace
