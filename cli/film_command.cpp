// tresk-cli film: one camera or film effect over a run of blocks, with the editor's own
// commands, saved as Save does. Batch film work runs it once per effect.
#include "commands.h"

#include "cli_document.h"
#include "edit_session.h"
#include "editor/camera.h"
#include "editor/entity_transforms.h"
#include "editor/film_effects.h"
#include "editor/removal.h"

#include <charconv>
#include <iostream>
#include <map>
#include <sstream>

const char* const kFilmUsage =
    "usage: tresk-cli film IN OUT --blocks A-B [--force] ACTION\n"
    "actions (one per run):\n"
    "  --track E              aim the view at entity E\n"
    "  --recamera E [--angles] put the camera at entity E (--angles: look along its angles)\n"
    "  --smooth               turn evenly from the first block's view to the last's\n"
    "  --zoom FROM:TO         zoom -100 (wide) to 100 (close), ramped over the blocks\n"
    "  --speed S              game speed -100 (slower) to 100 (faster) from the first\n"
    "                         block, normal again at the last\n"
    "  --palette R,G,B,I:R,G,B,I  screen blend ramp, each 0 to 255\n"
    "  --effects E:LIST       entity effects; LIST is comma-separated items:\n"
    "                         model=M skin=S origin=X/Y/Z laser=C (beam colour)\n"
    "                         +FLAG sets, -FLAG clears a render flag: minlight noeyes\n"
    "                         eyesonly fullbright depthhack translucent framelerp beam\n"
    "                         customskin glow redshell greenshell blueshell\n"
    "  --strip-type T         remove the messages of type T (-1: ids of 128 or more)\n"
    "  --strip-keyword K      remove the messages whose text holds K (case ignored)\n"
    "  --strip-entity E       make entity E absent from the blocks\n"
    "  --strip-model K        make absent every entity of the first model named with K\n"
    "  --strip-sound K        remove the sounds of the first sound named with K\n"
    "  --remodel E:M          entity E takes model index M (1 to 255)\n"
    "  --weapon E:M           the weapon model others see on entity E (0 takes it away)\n"
    "  --no-view-weapon       the player's own weapon goes\n"
    "  --no-status-bar        the status bar (configstrings 5 to 28) is blanked everywhere\n"
    "  --hack-flags N         from block A to the fourth-last block: movement type 1, flags N\n"
    "                         (the end of --blocks is not used)\n";

namespace {

const char* const kEffectNames[13] = {
    "minlight", "noeyes",     "eyesonly", "fullbright", "depthhack",  "translucent", "framelerp",
    "beam",     "customskin", "glow",     "redshell",   "greenshell", "blueshell"};

bool Int(const std::string& text, int32_t& out) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

std::vector<std::string> Split(const std::string& text, char by) {
    std::vector<std::string> parts;
    std::stringstream in(text);
    for (std::string part; std::getline(in, part, by);) {
        parts.push_back(part);
    }
    return parts;
}

bool Pair(const std::string& text, int32_t& a, int32_t& b) {
    const std::vector<std::string> parts = Split(text, ':');
    return parts.size() == 2 && Int(parts[0], a) && Int(parts[1], b);
}

bool Colour(const std::string& text, std::array<float, 4>& out) {
    const std::vector<std::string> parts = Split(text, ',');
    if (parts.size() != 4) {
        return false;
    }
    for (size_t i = 0; i < 4; ++i) {
        int32_t v = 0;
        if (!Int(parts[i], v) || v < 0 || v > 255) {
            return false;
        }
        out[i] = static_cast<float>(v);
    }
    return true;
}

bool Effects(const std::string& text, EntityEffectsDlgData& fx) {
    const size_t colon = text.find(':');
    if (!Int(text.substr(0, colon), fx.entity) || colon == std::string::npos) {
        return false;
    }
    for (const std::string& item : Split(text.substr(colon + 1), ',')) {
        const size_t eq = item.find('=');
        const std::string key = item.substr(0, eq);
        const std::string value = eq == std::string::npos ? std::string() : item.substr(eq + 1);
        int32_t v = 0;
        if (key == "model" && Int(value, v) && v >= 1 && v <= 255) {
            fx.changeModel = true;
            fx.model = v;
        } else if (key == "skin" && Int(value, v) && v >= 0) {
            fx.changeSkin = true;
            fx.skin = v;
        } else if (key == "laser" && Int(value, v) && v >= 0) {
            fx.laserColor = static_cast<uint32_t>(v);
        } else if (key == "origin") {
            const std::vector<std::string> xyz = Split(value, '/');
            if (xyz.size() != 3) {
                return false;
            }
            for (size_t k = 0; k < 3; ++k) {
                if (!Int(xyz[k], fx.addOrigin[k]) || fx.addOrigin[k] < -kMaxOriginOffset ||
                    fx.addOrigin[k] > kMaxOriginOffset) {
                    return false;
                }
            }
        } else if (!item.empty() && (item[0] == '+' || item[0] == '-')) {
            size_t i = 0;
            while (i < 13 && item.substr(1) != kEffectNames[i]) {
                ++i;
            }
            if (i == 13) {
                return false;
            }
            fx.effects[i] = item[0] == '+' ? TriState::kSet : TriState::kClear;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

int RunFilm(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    uint32_t first = 0;
    uint32_t last = 0;
    bool force = false;
    bool angles = false;
    std::string action;
    std::string value;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--blocks" && i + 1 < args.size()) {
            if (!ParseRange(args[++i], first, last)) {
                std::cerr << kFilmUsage;
                return 2;
            }
        } else if (a == "--force") {
            force = true;
        } else if (a == "--angles") {
            angles = true;
        } else if ((a == "--smooth" || a == "--no-view-weapon" || a == "--no-status-bar") &&
                   action.empty()) {
            action = a;
        } else if ((a == "--track" || a == "--recamera" || a == "--zoom" || a == "--speed" ||
                    a == "--palette" || a == "--effects" || a == "--strip-type" ||
                    a == "--strip-keyword" || a == "--strip-entity" || a == "--strip-model" ||
                    a == "--strip-sound" || a == "--remodel" || a == "--weapon" ||
                    a == "--hack-flags") &&
                   i + 1 < args.size() && action.empty()) {
            action = a;
            value = args[++i];
        } else if (!a.empty() && a[0] == '-') {
            std::cerr << "tresk-cli: unknown or repeated option " << a << "\n" << kFilmUsage;
            return 2;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2 || first == 0 || action.empty()) {
        std::cerr << kFilmUsage;
        return 2;
    }
    FovDlgData zoom;
    FrameRateDlgData speed;
    PaletteShiftDlgData palette;
    EntityEffectsDlgData effects;
    int32_t entity = 0;
    int32_t number = 0;
    bool ok = true;
    if (action == "--remodel" || action == "--weapon") {
        ok = Pair(value, entity, number);
    } else if (action == "--strip-type" || action == "--hack-flags") {
        ok = Int(value, number);
    } else if (action == "--strip-entity") {
        ok = Int(value, entity);
    } else if (action == "--track" || action == "--recamera") {
        ok = Int(value, entity) && entity >= 1 && entity <= kMaxEntityNumber;
    } else if (action == "--zoom") {
        ok = Pair(value, zoom.initialZoom, zoom.finalZoom) &&
             std::abs(zoom.initialZoom) <= kMaxZoom && std::abs(zoom.finalZoom) <= kMaxZoom;
    } else if (action == "--speed") {
        ok = Int(value, speed.speed) && std::abs(speed.speed) <= kMaxZoom;
    } else if (action == "--palette") {
        const std::vector<std::string> sides = Split(value, ':');
        ok = sides.size() == 2 && Colour(sides[0], palette.initial) &&
             Colour(sides[1], palette.final);
    } else if (action == "--effects") {
        ok = Effects(value, effects) && effects.entity >= 1 && effects.entity <= kMaxEntityNumber;
    }
    if (!ok) {
        std::cerr << "tresk-cli: bad value \"" << value << "\" for " << action << "\n"
                  << kFilmUsage;
        return 2;
    }
    EditSession session;
    if (!session.Open(files[0]) || !session.Select(first, last)) {
        return 1;
    }
    CTreskView& view = *session.view;
    if (action == "--track") {
        TrackEntity(view, static_cast<uint16_t>(entity));
    } else if (action == "--recamera") {
        ReCamera(view, static_cast<uint16_t>(entity), !angles);
    } else if (action == "--smooth") {
        SmoothCamera(view);
    } else if (action == "--zoom") {
        ZoomEffect(view, zoom);
    } else if (action == "--speed") {
        FrameRateEffect(view, speed);
    } else if (action == "--palette") {
        PaletteShiftEffect(view, palette);
    } else if (action == "--effects") {
        EntityEffect(view, effects);
    } else if (action == "--strip-type") {
        RemoveByType(view, number);
    } else if (action == "--strip-keyword") {
        RemoveByKeyword(view, value);
    } else if (action == "--strip-entity") {
        RemoveByEntity(view, entity);
    } else if (action == "--strip-model") {
        RemoveByModelKeyword(view, value);
    } else if (action == "--strip-sound") {
        RemoveBySoundKeyword(view, value);
    } else if (action == "--remodel") {
        ReModelEntity(view, entity, number);
    } else if (action == "--weapon") {
        ChangeWeaponModel(view, entity, number);
    } else if (action == "--no-view-weapon") {
        RemoveViewWeapon(view);
    } else if (action == "--no-status-bar") {
        RemoveStatusBar(view);
    } else {
        HackPlayerFlags(view, static_cast<uint32_t>(number));
    }
    // A refused command leaves no edit behind; a done one may still have reported in a
    // message (the removal counts), which is no refusal.
    if (session.doc->history.Count() == 0) {
        // Some commands change nothing without a word (Smooth or the view weapon over a
        // single block): the run still says why no file came of it.
        if (!session.ui.said) {
            std::cerr << "tresk-cli: " << action << " changed nothing in blocks " << first << "-"
                      << last << "; " << files[1] << " was not written\n";
        }
        return 1;
    }
    if (!MaySave(*session.doc, files[0], force)) {
        return 1;
    }
    return SaveDemo(*session.doc, files[1]) ? 0 : 1;
}
