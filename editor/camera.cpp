#include "editor/camera.h"

#include "demo/edit_transaction.h"
#include "demo/tresk_doc.h"
#include "editor/film_dialogs.h"
#include "editor/film_math.h"
#include "editor/selection_frames.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"

namespace {

constexpr double kCoordScale = 0.125;  // origins are in 1/8 unit
constexpr double kOffsetScale = 0.25;  // view offsets are in 1/4 unit
constexpr double kEntityAngle = 256.0; // entity angles: 256 per turn, view angles 65536

// The selection's frames with `entity` followed, less `dropLast` frames at its end.
std::vector<SelectedFrame> Visited(CTreskView& view, uint16_t entity, uint32_t dropLast) {
    std::vector<SelectedFrame> frames =
        SelectedFrames(view.Document(), view.CurrentBlockNumber(), view.SelectionCount(), entity);
    const uint32_t keep = view.SelectionCount() > dropLast ? view.SelectionCount() - dropLast : 0;
    while (!frames.empty() && frames.back().block >= view.CurrentBlockNumber() + keep) {
        frames.pop_back();
    }
    return frames;
}

BlockSpan Selection(const CTreskView& view) {
    return {view.CurrentBlockNumber(), view.SelectionCount()};
}

std::string FrameCountText(uint32_t n) {
    return std::to_string(n) + (n == 1 ? " frame" : " frames");
}

} // namespace

uint32_t TrackEntity(CTreskView& view, uint16_t entity) {
    if (!view.HasCurrentBlock()) {
        return 0;
    }
    std::vector<SelectedFrame> frames = Visited(view, entity, 1);
    EditTransaction edit(view.Document(), Selection(view), view.Place());
    uint32_t aimed = 0;
    for (SelectedFrame& f : frames) {
        if (!f.entity) {
            continue; // the frame does not hold it: the view stays as it is
        }
        PlayerState& ps = f.player->state;
        double eye[3];
        double target[3];
        for (int k = 0; k < 3; ++k) {
            eye[k] = ps.origin[k] * kCoordScale + ps.viewoffset[k] * kOffsetScale;
            target[k] = f.entity->origin[k] * kCoordScale;
        }
        double pitch = ShortToAngle(ps.viewangles[0]);
        double yaw = ShortToAngle(ps.viewangles[1]);
        if (!AimAt(eye, target, pitch, yaw)) {
            continue; // the camera sits on the entity
        }
        ps.viewangles[0] = AngleToShort(pitch);
        ps.viewangles[1] = AngleToShort(yaw);
        ps.viewangles[2] = 0;
        ++aimed;
    }
    view.CommitEdit(edit,
                    "Track entity " + std::to_string(entity) + " over " + FrameCountText(aimed));
    return aimed;
}

uint32_t ReCamera(CTreskView& view, uint16_t entity, bool keepAngles) {
    if (!view.HasCurrentBlock()) {
        return 0;
    }
    std::vector<SelectedFrame> frames = Visited(view, entity, 1);
    EditTransaction edit(view.Document(), Selection(view), view.Place());
    uint32_t moved = 0;
    std::optional<PlayerState> camera; // where the camera was put last
    for (SelectedFrame& f : frames) {
        PlayerState& ps = f.player->state;
        if (f.entity) {
            for (int k = 0; k < 3; ++k) {
                ps.origin[k] = f.entity->origin[k];
                if (!keepAngles) {
                    ps.viewangles[k] = AngleToShort(f.entity->angles[k] * 360.0 / kEntityAngle);
                }
            }
            camera = ps;
        } else if (camera) {
            for (int k = 0; k < 3; ++k) {
                ps.origin[k] = camera->origin[k];
                if (!keepAngles) {
                    ps.viewangles[k] = camera->viewangles[k];
                }
            }
        } else {
            continue;
        }
        ++moved;
    }
    view.CommitEdit(edit, "Re-camera on entity " + std::to_string(entity) + " over " +
                              FrameCountText(moved));
    return moved;
}

uint32_t SmoothCamera(CTreskView& view) {
    if (!view.HasCurrentBlock() || view.SelectionCount() < 2) {
        return 0;
    }
    std::vector<SelectedFrame> frames = Visited(view, 0, 0);
    if (frames.size() < 2) {
        return 0;
    }
    EditTransaction edit(view.Document(), Selection(view), view.Place());
    const PlayerState from = frames.front().player->state;
    const PlayerState to = frames.back().player->state;
    double turn[3];
    for (int k = 0; k < 3; ++k) {
        turn[k] = ShortestTurn(ShortToAngle(from.viewangles[k]), ShortToAngle(to.viewangles[k]));
    }
    // By position in the selection, so that blocks without a frame keep the pace.
    const uint32_t n = frames.back().block - frames.front().block;
    for (SelectedFrame& f : frames) {
        const uint32_t i = f.block - frames.front().block;
        for (int k = 0; k < 3; ++k) {
            const double start = ShortToAngle(from.viewangles[k]);
            f.player->state.viewangles[k] = AngleToShort(Ramp(start, start + turn[k], i, n));
        }
    }
    view.CommitEdit(edit,
                    "Smooth camera over " + FrameCountText(static_cast<uint32_t>(frames.size())));
    return static_cast<uint32_t>(frames.size());
}

void OnTrackEntity(CTreskView& view) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    FixCameraDlgData data;
    if (!view.GetUi().RunFixCameraDlg(data) || !CheckEntityNumber(view.GetUi(), data.entity)) {
        return;
    }
    TrackEntity(view, static_cast<uint16_t>(data.entity));
}

void OnReCamera(CTreskView& view) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    ReCameraDlgData data;
    if (!view.GetUi().RunReCameraDlg(data) || !CheckEntityNumber(view.GetUi(), data.entity)) {
        return;
    }
    ReCamera(view, static_cast<uint16_t>(data.entity), data.keepAngles);
}

void OnSmoothCamera(CTreskView& view) {
    SmoothCamera(view);
}
