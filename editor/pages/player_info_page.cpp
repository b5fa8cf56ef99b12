#include "editor/pages/player_info_page.h"

#include "editor/pages/page_units.h"

using page_units::FormatInt;
using page_units::FormatNumber;

namespace {

// View angles are entered within one turn either way; the record keeps them modulo a turn.
constexpr double kMaxViewAngle = 360;

const char* const kBlendLabel = "Blend: [Red][Green][Blue][Intensity]";

} // namespace

CPlayerInfoPage::CPlayerInfoPage() : MessagePage(IDD_PAGE_PLAYERINFO) {
    AddField("pm_type", "Player Movement Type:", PageFieldKind::Number);
    AddTriple("origin", "Origin:", PageFieldKind::Number);
    AddTriple("velocity", "Velocity:", PageFieldKind::Number);
    AddField("pm_time", "Teleport Time:", PageFieldKind::Number);
    AddField("pm_flags", "Player Movement Flags:", PageFieldKind::Number);
    AddField("gravity", "Gravity:", PageFieldKind::Number);
    AddTriple("delta_angles", "Delta Angles:", PageFieldKind::Number);
    AddTriple("viewoffset", "View Offset:", PageFieldKind::Number);
    AddTriple("viewangles", "View Angles:", PageFieldKind::Number);
    AddTriple("kick_angles", "Kick Angles:", PageFieldKind::Number);
    AddField("gunindex", "Gun Index:", PageFieldKind::Number);
    AddField("gunframe", "Gun Frame:", PageFieldKind::Number);
    AddTriple("gunoffset", "Gun Offset:", PageFieldKind::Number);
    AddTriple("gunangles", "Gun Angles:", PageFieldKind::Number);
    for (int i = 0; i < 4; ++i) {
        AddField(ComponentKey("blend", i), i == 0 ? kBlendLabel : "", PageFieldKind::Number);
    }
    AddField("fov", "FOV:", PageFieldKind::Number);
    AddField("rdflags", "Render Flags:", PageFieldKind::Number);
    // The stats are shown only; they are not written back.
    for (int i = 0; i < kMaxStats; ++i) {
        AddField(ComponentKey("stat", i), i == 0 ? "Stats:" : "", PageFieldKind::Number).readOnly =
            true;
    }
    AddButton("inventory", "Inventory");
}

void CPlayerInfoPage::Fill(const DemoMessage& record, const CTreskDoc&) {
    const auto* m = MessageCast<PlayerInfoMessage>(&record);
    if (m == nullptr) {
        return;
    }
    const PlayerState& s = m->state;
    auto loadRaw = [this](const std::string& key, const auto& values) {
        for (int i = 0; i < 3; ++i) {
            Load(ComponentKey(key, i), FormatInt(values[i]));
        }
    };
    auto loadQuarters = [this](const std::string& key, const auto& values) {
        for (int i = 0; i < 3; ++i) {
            Load(ComponentKey(key, i), FormatNumber(page_units::QuarterToPage(values[i])));
        }
    };
    Load("pm_type", FormatInt(s.pm_type));
    LoadCoords("origin", s.origin);
    loadRaw("velocity", s.velocity);
    Load("pm_time", FormatInt(s.pm_time));
    Load("pm_flags", FormatInt(s.pm_flags));
    Load("gravity", FormatInt(s.gravity));
    for (int i = 0; i < 3; ++i) {
        Load(ComponentKey("delta_angles", i),
             FormatNumber(page_units::ViewAngleToPage(s.delta_angles[i])));
    }
    loadQuarters("viewoffset", s.viewoffset);
    for (int i = 0; i < 3; ++i) {
        Load(ComponentKey("viewangles", i),
             FormatNumber(page_units::ViewAngleToPage(s.viewangles[i])));
    }
    loadQuarters("kick_angles", s.kick_angles);
    Load("gunindex", FormatInt(s.gunindex));
    Load("gunframe", FormatInt(s.gunframe));
    loadQuarters("gunoffset", s.gunoffset);
    loadQuarters("gunangles", s.gunangles);
    for (int i = 0; i < 4; ++i) {
        Load(ComponentKey("blend", i), FormatNumber(page_units::BlendToPage(s.blend[i])));
    }
    Load("fov", FormatInt(s.fov));
    Load("rdflags", FormatInt(s.rdflags));
    for (int i = 0; i < kMaxStats; ++i) {
        Load(ComponentKey("stat", i), FormatInt(s.stats[i]));
    }
}

void CPlayerInfoPage::Apply(DemoMessage& record, Ui& ui) {
    auto* m = MessageCast<PlayerInfoMessage>(&record);
    if (m == nullptr) {
        return;
    }
    PlayerState& s = m->state;
    auto takeRaw = [this, &ui](const std::string& key, int16_t values[3]) {
        for (int i = 0; i < 3; ++i) {
            TakeInto(ComponentKey(key, i), ui, values[i]);
        }
    };
    auto takeQuarters = [this, &ui](const std::string& key, auto& values) {
        for (int i = 0; i < 3; ++i) {
            TakeQuarter(ComponentKey(key, i), ui, values[i]);
        }
    };
    TakeInto("pm_type", ui, s.pm_type);
    TakeCoords("origin", ui, s.origin);
    takeRaw("velocity", s.velocity);
    TakeInto("pm_time", ui, s.pm_time);
    TakeInto("pm_flags", ui, s.pm_flags);
    TakeInto("gravity", ui, s.gravity);
    for (int i = 0; i < 3; ++i) {
        double degrees = 0;
        if (TakeNumber(ComponentKey("delta_angles", i), -kMaxViewAngle, kMaxViewAngle, ui,
                       degrees)) {
            // Delta angles are 16-bit angles like the view angles, kept modulo a turn.
            s.delta_angles[i] = static_cast<int16_t>(
                static_cast<uint16_t>(page_units::DeltaAngleFromPage(degrees) & 0xFFFF));
        }
    }
    takeQuarters("viewoffset", s.viewoffset);
    for (int i = 0; i < 3; ++i) {
        double degrees = 0;
        if (TakeNumber(ComponentKey("viewangles", i), -kMaxViewAngle, kMaxViewAngle, ui, degrees)) {
            // A whole turn is 65536: the 16-bit field keeps the angle modulo a turn.
            s.viewangles[i] = static_cast<int16_t>(
                static_cast<uint16_t>(page_units::ViewAngleFromPage(degrees) & 0xFFFF));
        }
    }
    takeQuarters("kick_angles", s.kick_angles);
    TakeInto("gunindex", ui, s.gunindex);
    TakeInto("gunframe", ui, s.gunframe);
    takeQuarters("gunoffset", s.gunoffset);
    takeQuarters("gunangles", s.gunangles);
    for (int i = 0; i < 4; ++i) {
        double value = 0;
        if (TakeNumber(ComponentKey("blend", i), 0, 1, ui, value)) {
            s.blend[i] = page_units::BlendFromPage(value);
        }
    }
    TakeInto("fov", ui, s.fov);
    TakeInto("rdflags", ui, s.rdflags);
}
