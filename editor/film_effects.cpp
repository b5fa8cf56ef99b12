#include "editor/film_effects.h"

#include "demo/edit_transaction.h"
#include "demo/entity_state.h"
#include "demo/tresk_doc.h"
#include "editor/block_edit.h"
#include "editor/film_math.h"
#include "editor/selection_frames.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr float kMaxBlend = 255.0f;
constexpr int kCoordsPerUnit = 8;

BlockSpan Selection(const CTreskView& view) {
    return {view.CurrentBlockNumber(), view.SelectionCount()};
}

std::string FrameCountText(uint32_t n) {
    return std::to_string(n) + (n == 1 ? " frame" : " frames");
}

uint32_t LastSelected(const CTreskView& view) {
    return view.CurrentBlockNumber() + view.SelectionCount() - 1;
}

// Position i of n of a selected frame, by block, so that blocks without a frame keep pace.
uint32_t PositionOf(const SelectedFrame& f, const CTreskView& view) {
    return f.block - view.CurrentBlockNumber();
}

int16_t ClampCoord(int64_t v) {
    return static_cast<int16_t>(std::clamp<int64_t>(v, std::numeric_limits<int16_t>::min(),
                                                    std::numeric_limits<int16_t>::max()));
}

void ApplyEffects(EntityState& e, const EntityEffectsDlgData& fx) {
    if (fx.changeSkin) {
        e.skinnum = static_cast<uint32_t>(fx.skin);
    }
    if (fx.changeModel) {
        e.modelindex = static_cast<uint8_t>(fx.model);
    }
    for (int k = 0; k < 3; ++k) {
        e.origin[k] = ClampCoord(int64_t{e.origin[k]} +
                                 int64_t{fx.addOrigin[static_cast<size_t>(k)]} * kCoordsPerUnit);
    }
    for (size_t i = 0; i < kEntityEffectBits.size(); ++i) {
        const uint32_t bit = kEntityEffectBits[i];
        if (fx.effects[i] == TriState::kSet && (e.renderfx & bit) == 0) {
            e.renderfx |= bit;
            if (bit == kRenderFxBeam) {
                e.skinnum = fx.laserColor; // a beam's colour lives in its skin
            }
        } else if (fx.effects[i] == TriState::kClear) {
            e.renderfx &= ~bit;
        }
    }
}

} // namespace

uint32_t ZoomEffect(CTreskView& view, const FovDlgData& zoom) {
    if (!view.HasCurrentBlock()) {
        return 0;
    }
    std::vector<SelectedFrame> frames =
        SelectedFrames(view.Document(), view.CurrentBlockNumber(), view.SelectionCount());
    EditTransaction edit(view.Document(), Selection(view), view.Place());
    const double from = ZoomFov(zoom.initialZoom);
    const double to = ZoomFov(zoom.finalZoom);
    const uint32_t n = view.SelectionCount() - 1;
    for (SelectedFrame& f : frames) {
        const double fov = std::trunc(Ramp(from, to, PositionOf(f, view), n));
        f.player->state.fov = static_cast<uint8_t>(std::clamp(fov, 1.0, 179.0));
    }
    view.CommitEdit(edit, "Zoom over " + FrameCountText(static_cast<uint32_t>(frames.size())));
    return static_cast<uint32_t>(frames.size());
}

bool FrameRateEffect(CTreskView& view, const FrameRateDlgData& speed) {
    if (!view.HasCurrentBlock()) {
        return false;
    }
    CTreskDoc& doc = view.Document();
    const uint32_t firstPlay = FirstFrameBlockNumber(doc);
    if (firstPlay == 0 || view.CurrentBlockNumber() < firstPlay) {
        view.GetUi().ShowMessage(
            "The game speed can only change during play: select blocks from block " +
            std::to_string(std::max<uint32_t>(firstPlay, 1)) + " on.");
        return false;
    }
    EditTransaction edit(doc, Selection(view), view.Place());
    const auto append = [](DemoBlock* block, const std::string& text) {
        MessagePtr m = NewMessage(svc_stufftext);
        static_cast<TextMessage&>(*m).text = text;
        block->AppendMessage(std::move(m));
    };
    DemoBlock* first = doc.currentBlock;
    DemoBlock* last = LastOfRun(first, view.SelectionCount());
    if (last != first) {
        append(first, TimescaleCommand(SpeedTimescale(speed.speed)));
    }
    append(last, TimescaleCommand(1.0));
    view.CommitEdit(edit, "Game speed " + TimescaleNumber(SpeedTimescale(speed.speed)) + " over " +
                              BlockCountText(view.SelectionCount()));
    return true;
}

uint32_t PaletteShiftEffect(CTreskView& view, const PaletteShiftDlgData& shift) {
    if (!view.HasCurrentBlock()) {
        return 0;
    }
    std::vector<SelectedFrame> frames =
        SelectedFrames(view.Document(), view.CurrentBlockNumber(), view.SelectionCount());
    EditTransaction edit(view.Document(), Selection(view), view.Place());
    const uint32_t n = view.SelectionCount() - 1;
    for (SelectedFrame& f : frames) {
        for (size_t k = 0; k < 4; ++k) {
            const double v = Ramp(shift.initial[k], shift.final[k], PositionOf(f, view), n);
            f.player->state.blend[k] = std::clamp(static_cast<float>(v), 0.0f, kMaxBlend);
        }
    }
    view.CommitEdit(edit,
                    "Palette shift over " + FrameCountText(static_cast<uint32_t>(frames.size())));
    return static_cast<uint32_t>(frames.size());
}

uint32_t EntityEffect(CTreskView& view, const EntityEffectsDlgData& effects) {
    if (!view.HasCurrentBlock() || effects.entity < 1 || effects.entity > kMaxEntityNumber) {
        return 0;
    }
    view.ApplyMessagePage();
    std::vector<SelectedFrame> frames =
        SelectedFrames(view.Document(), view.CurrentBlockNumber(), view.SelectionCount(),
                       static_cast<uint16_t>(effects.entity));
    EditTransaction edit(view.Document(), Selection(view), view.Place());
    const uint32_t changed = EditEntityBefore(
        frames, LastSelected(view), [&effects](EntityState& e) { ApplyEffects(e, effects); });
    view.CommitEdit(edit, "Entity effects on entity " + std::to_string(effects.entity) + " over " +
                              FrameCountText(changed));
    view.RefreshView();
    return changed;
}

void OnZoomEffect(CTreskView& view) {
    FovDlgData data;
    if (view.HasCurrentBlock() && view.GetUi().RunFovDlg(data)) {
        ZoomEffect(view, data);
    }
}

void OnFrameRateEffect(CTreskView& view) {
    FrameRateDlgData data;
    if (view.HasCurrentBlock() && view.GetUi().RunFrameRateDlg(data)) {
        FrameRateEffect(view, data);
    }
}

void OnPaletteShiftEffect(CTreskView& view) {
    PaletteShiftDlgData data;
    if (view.HasCurrentBlock() && view.GetUi().RunPaletteShiftDlg(data)) {
        PaletteShiftEffect(view, data);
    }
}

void OnEntityEffect(CTreskView& view) {
    EntityEffectsDlgData data;
    const CTreskDoc& doc = view.Document();
    for (int i = 0; i < doc.modelTable.Count(); ++i) {
        data.models.push_back(doc.modelTable.Entry(i));
    }
    for (int i = 0; i < doc.imageTable.Count(); ++i) {
        data.images.push_back(doc.imageTable.Entry(i));
    }
    if (view.HasCurrentBlock() && view.GetUi().RunEntityEffectsDlg(data) &&
        CheckEntityNumber(view.GetUi(), data.entity)) {
        EntityEffect(view, data);
    }
}
