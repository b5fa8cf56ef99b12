// The playback timer, the window's buttons and notifications, the camera a ReFilm flight
// writes back, the model viewer and the filmstrip.
#include "preview/preview_driver.h"

#include "demo/demo_block.h"
#include "demo/edit_transaction.h"
#include "demo/tresk_doc.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"
#include "preview/preview_records.h"

#include <cstring>

namespace {

constexpr int kThumbWidth = 100;
constexpr int kThumbHeight = 75;
constexpr int kViewerFlags = 72;

} // namespace

void CPreviewDriver::StopPlayback() {
    timers_.Stop(kPlaybackTimer);
    playing_ = false;
    if (window_) {
        window_->SetPlayback(false);
    }
}

void CPreviewDriver::OnTimer(int timer) {
    if (!window_) {
        return;
    }
    if (timer == kPlaybackTimer) {
        PlaybackTick();
    } else if (timer == kModelTimer) {
        RunModelViewer(std::nullopt);
    }
}

void CPreviewDriver::PlaybackTick() {
    if (!playing_) {
        return;
    }
    CTreskDoc& doc = Doc();
    if (doc.blockListChanges != seenChanges_) {
        FollowBlockList(); // stops: the blocks it was playing may be gone
        return;
    }
    PreviewWindow& w = *window_;
    if (w.SelectionRecord() &&
        playbackPosition_ + 2 >= view_.CurrentBlockNumber() + view_.SelectionCount()) {
        w.Print(2, kStopSelectionText);
        w.UpdateFrame();
        StopPlayback();
    }
    if (playbackBlock_ == nullptr) {
        w.Print(2, kStopDemoText);
        w.UpdateFrame();
        StopPlayback();
        return;
    }
    if (playbackBlock_ == doc.currentBlock) {
        playbackPosition_ = view_.CurrentBlockNumber();
    }
    DemoBlock* block = playbackBlock_;
    tickBlock_ = block;
    tickIndex_ = static_cast<int>(playbackPosition_);
    flownAngles_.reset();
    flownOrigin_.reset();
    Feed(block, tickIndex_);
    tickBlock_ = nullptr;
    if (window_ && (flownAngles_ || flownOrigin_)) {
        WriteCamera(block);
    }
    flownAngles_.reset();
    flownOrigin_.reset();
    playbackBlock_ = block->next;
    ++playbackPosition_;
}

void CPreviewDriver::WriteCamera(DemoBlock* block) {
    CTreskDoc& doc = Doc();
    PlayerInfoMessage* player = nullptr;
    for (DemoMessage* m = block->FirstMessage(); m != nullptr && !player; m = m->next) {
        player = MessageCast<PlayerInfoMessage>(m);
    }
    const uint32_t number = doc.NumberOf(block);
    if (player == nullptr || number == 0) {
        return;
    }
    EditTransaction edit(doc, {number, 1}, view_.Place());
    PlayerState& ps = player->state;
    if (flownAngles_) {
        for (int k = 0; k < 3; ++k) {
            ps.viewangles[k] = AngleToWire((*flownAngles_)[static_cast<size_t>(k)]);
        }
    }
    if (flownOrigin_) {
        for (int k = 0; k < 3; ++k) {
            ps.origin[k] = OriginToWire((*flownOrigin_)[static_cast<size_t>(k)]);
            ps.viewoffset[k] = 0;
            ps.kick_angles[k] = 0;
        }
        for (float& b : ps.blend) {
            b = 0.0f;
        }
    }
    view_.CommitEdit(edit, "ReFilm camera at block " + std::to_string(number));
    // The flight's own change: the playback goes on over the same blocks.
    seenChanges_ = doc.blockListChanges;
}

void CPreviewDriver::GoTo(uint32_t number) {
    view_.ApplyMessagePage();
    StopPlayback();
    DemoBlock* block = view_.BlockByNumber(number);
    if (block == nullptr) {
        return;
    }
    Doc().currentBlock = block;
    view_.SetCurrentBlockNumber(number);
    view_.SetCurrentMessageNumber(1);
    view_.RefreshView();
}

void CPreviewDriver::OnPreviewMessage(unsigned message, uintptr_t wParam, const void* lParam) {
    if (!window_) {
        return;
    }
    switch (message) {
    case kPrevBtnStop:
        StopPlayback();
        break;
    case kPrevBtnStart:
        GoTo(Doc().firstFrameBlock != 0 ? Doc().firstFrameBlock : 1);
        break;
    case kPrevBtnBack:
        StopPlayback();
        view_.OnPreviousBlock();
        break;
    case kPrevBtnPlay:
        if (!playing_) {
            FollowBlockList();
            // The model viewer's picture would fight the playback for the window.
            timers_.Stop(kModelTimer);
            modelTimer_ = false;
            timers_.Start(kPlaybackTimer, kPlaybackMs);
            playing_ = true;
            window_->SetPlayback(true);
        } else {
            StopPlayback();
        }
        break;
    case kPrevBtnForward:
        StopPlayback();
        view_.OnNextBlock();
        break;
    case kPrevBtnEnd:
        GoTo(view_.BlockCount());
        break;
    case kPrevBtnPosition: {
        uint32_t target = view_.CurrentBlockNumber();
        if (target != playbackPosition_) {
            target = playbackPosition_;
            if (target > view_.BlockCount()) {
                target = view_.BlockCount() - 1;
            }
            if (target == 0) {
                target = 3;
            }
        }
        GoTo(target);
        break;
    }
    case kPrevMsgAngles:
    case kPrevMsgOrigin: {
        // Only the frames the playback tick moves on to are filmed; a paint, the filmstrip
        // or the model viewer report nothing that belongs in the demo.
        if (tickBlock_ == nullptr || static_cast<int>(wParam) != tickIndex_ || !lParam) {
            break;
        }
        std::array<float, 3> v{};
        std::memcpy(v.data(), lParam, sizeof(float) * 3);
        (message == kPrevMsgAngles ? flownAngles_ : flownOrigin_) = v;
        break;
    }
    case kPrevMsgClosed:
        Close();
        if (onClosedByWindow) {
            onClosedByWindow();
        }
        break;
    default:
        break;
    }
}

void CPreviewDriver::ShowModel(uint32_t row) {
    RunModelViewer(static_cast<int>(row) + 1);
    if (window_) {
        timers_.Start(kModelTimer, kModelMs);
        modelTimer_ = true;
    }
}

void CPreviewDriver::RunModelViewer(std::optional<int> modelIndex) {
    if (!window_) {
        if (modelIndex) {
            view_.GetUi().ShowMessage(kNeedPreviewText);
        }
        timers_.Stop(kModelTimer);
        modelTimer_ = false;
        return;
    }
    if (spin_ >= 180) {
        spin_ = -180;
    }
    ++spin_;
    PreviewWindow& w = *window_;
    if (modelIndex) {
        viewerModel_ = *modelIndex;
        spin_ = 0;
        prevplayer_s p{};
        p.vieworg[2] = 12.0f;
        p.viewangles[0] = 0.1373291015625f;
        p.viewangles[1] = 0.0274658203125f;
        p.fov = 90;
        p.rdflags = 2; // the world is not drawn
        w.UpdatePlayerInfo(&p);
    }
    preventity_s r;
    std::memset(&r, 0, sizeof r);
    r.modelindex = viewerModel_ > 0 && viewerModel_ < kPrevModelSlots ? viewerModel_ : 0;
    for (float& a : r.angles) {
        a = static_cast<float>(spin_);
    }
    r.origin[0] = 20.0f;
    r.frame = 1;
    r.oldframe = 1;
    r.flags = kViewerFlags;
    r.skinmarker = -1;
    if (!w.HasEntity(kModelViewerEntity)) {
        preventity_s spawn = r;
        spawn.spawn = 1;
        w.SpawnEntity(kModelViewerEntity, &spawn);
    }
    w.UpdateEntity(kModelViewerEntity, &r);
    w.UpdateFrame();
}

void CPreviewDriver::RefreshFilmstrip() {
    if (!window_ || filmstrip_ == nullptr || !view_.HasCurrentBlock()) {
        return;
    }
    FollowBlockList();
    filmstrip_->ClearFrames();
    const int n = filmstrip_->GetFrameCount();
    const uint32_t first = view_.CurrentBlockNumber();
    const uint32_t last = first + view_.SelectionCount() - 1;
    const uint32_t step = (last - first) / 9;
    uint32_t position = first;
    for (int j = 0; j < n; ++j) {
        DemoBlock* block = view_.BlockByNumber(position);
        if (block == nullptr) {
            continue;
        }
        Feed(block, static_cast<int>(position));
        PreviewImage picture = window_->GrabScreen(kThumbWidth, kThumbHeight);
        if (!picture.Empty()) {
            filmstrip_->SetFrame(j, std::move(picture), static_cast<int>(position));
        }
        position += step;
    }
    Feed(Doc().currentBlock, static_cast<int>(view_.CurrentBlockNumber()));
}

PreviewImage CPreviewDriver::RenderBlock(uint32_t number, int width, int height) {
    if (!window_ || view_.BlockByNumber(number) == nullptr) {
        return {};
    }
    GoTo(number);
    return Grab(width, height);
}

bool CPreviewDriver::ShowBlock(uint32_t number) {
    DemoBlock* block = window_ ? view_.BlockByNumber(number) : nullptr;
    if (block == nullptr) {
        return false;
    }
    StopPlayback();
    Feed(block, static_cast<int>(number));
    return window_ != nullptr;
}

PreviewImage CPreviewDriver::Grab(int width, int height) {
    return window_ ? window_->GrabScreen(width, height) : PreviewImage{};
}

void CPreviewDriver::HoldClock(float seconds) {
    if (window_) {
        window_->HoldClock(seconds);
    }
}

void CPreviewDriver::ReleaseClock() {
    if (window_) {
        window_->ReleaseClock();
    }
}

void CPreviewDriver::ShowScene(const PreviewScene& scene) {
    if (!window_) {
        return;
    }
    for (const SceneEntity& e : scene.entities) {
        preventity_s r = e.record; // the window writes the old frame back into it
        window_->UpdateEntity(e.state.number, &r);
    }
    if (scene.hasPlayer) {
        window_->UpdatePlayerInfo(&scene.player);
    }
}
