#include "message_format.h"

#include "demo/tresk_doc.h"

#include <cstdio>
#include <sstream>

namespace {

constexpr double kCoord = 0.125;
constexpr double kEntityAngle = 360.0 / 256.0;
constexpr double kViewAngle = 360.0 / 65536.0;
constexpr double kQuarter = 0.25;

// Prints numbers without trailing zeros: 12.5, -3, 0.125.
std::string Num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", v);
    return text;
}

template <class T> std::string Vec(const T (&v)[3], double scale) {
    std::string text = "(";
    text.append(Num(v[0] * scale)).append(" ").append(Num(v[1] * scale)).append(" ");
    return text.append(Num(v[2] * scale)).append(")");
}

} // namespace

std::string Quote(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 32 || c >= 127) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            out += hex;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

namespace {

void DescribeEntity(std::ostringstream& o, const EntityState& s, bool baseline) {
    if (!baseline && s.number == 0) {
        o << "end of entities";
        return;
    }
    o << "entity=" << s.number;
    if (s.remove) {
        o << " remove";
    }
    o << " model=" << int(s.modelindex) << "," << int(s.modelindex2) << "," << int(s.modelindex3)
      << "," << int(s.modelindex4);
    if (baseline && s.frame == kFrameNotSent) {
        o << " frame=-";
    } else {
        o << " frame=" << s.frame;
    }
    o << " skin=" << s.skinnum << " effects=0x" << std::hex << s.effects << " renderfx=0x"
      << s.renderfx << std::dec << " origin=" << Vec(s.origin, kCoord)
      << " angles=" << Vec(s.angles, kEntityAngle) << " old_origin=" << Vec(s.old_origin, kCoord)
      << " sound=" << int(s.sound) << " event=" << int(s.event) << " solid=" << s.solid;
}

void DescribePlayer(std::ostringstream& o, const PlayerState& p) {
    o << "pm_type=" << int(p.pm_type) << " origin=" << Vec(p.origin, kCoord)
      << " velocity=" << Vec(p.velocity, kCoord) << " pm_time=" << int(p.pm_time)
      << " pm_flags=" << int(p.pm_flags) << " gravity=" << p.gravity
      << " delta_angles=" << Vec(p.delta_angles, kViewAngle)
      << " viewoffset=" << Vec(p.viewoffset, kQuarter)
      << " viewangles=" << Vec(p.viewangles, kViewAngle)
      << " kick_angles=" << Vec(p.kick_angles, kQuarter) << " gunindex=" << int(p.gunindex)
      << " gunframe=" << int(p.gunframe) << " gunoffset=" << Vec(p.gunoffset, kQuarter)
      << " gunangles=" << Vec(p.gunangles, kQuarter) << " blend=(" << Num(p.blend[0] / 255) << " "
      << Num(p.blend[1] / 255) << " " << Num(p.blend[2] / 255) << " " << Num(p.blend[3] / 255)
      << ") fov=" << int(p.fov) << " rdflags=" << int(p.rdflags) << " stats=";
    bool any = false;
    for (int i = 0; i < kMaxStats; ++i) {
        if (p.statsMask & (1u << i)) {
            o << (any ? "," : "") << i << ":" << p.stats[i];
            any = true;
        }
    }
    if (!any) {
        o << "-";
    }
}

} // namespace

std::string DescribeMessage(const DemoMessage& m, const CTreskDoc& doc) {
    std::ostringstream o;
    if (auto* mf = MessageCast<MuzzleFlashMessage>(&m)) {
        o << "entity=" << mf->entity << (m.type == svc_muzzleflash ? " weapon=" : " flash=")
          << int(mf->weapon);
    } else if (auto* te = MessageCast<TempEntityMessage>(&m)) {
        o << "subtype=" << int(te->subtype) << " entity=" << te->entity
          << " position=" << Vec(te->position, kCoord) << " end=" << Vec(te->end_position, kCoord)
          << " direction=" << int(te->direction) << " offset=" << Vec(te->offset, kCoord)
          << " count=" << int(te->count) << " splash_color=" << int(te->splash_color)
          << " sparks_color=" << int(te->sparks_color);
    } else if (auto* t = MessageCast<TextMessage>(&m)) {
        o << Quote(t->text);
    } else if (auto* p = MessageCast<PrintMessage>(&m)) {
        o << "level=" << int(p->level) << " " << Quote(p->text);
    } else if (auto* inv = MessageCast<InventoryMessage>(&m)) {
        o << "items=";
        bool any = false;
        for (int i = 0; i < kInventoryItems; ++i) {
            if (inv->counts[i] != 0) {
                o << (any ? "," : "") << i << ":" << inv->counts[i];
                any = true;
            }
        }
        if (!any) {
            o << "-";
        }
    } else if (auto* s = MessageCast<SoundMessage>(&m)) {
        o << "sound=" << int(s->soundnum) << " " << Quote(doc.soundTable.Entry(s->soundnum - 1))
          << " flags=" << int(s->flags) << " volume=" << Num(s->volume / 255.0)
          << " attenuation=" << Num(s->attenuation / 64.0) << " channel=" << s->channel
          << " entity=" << s->entity << " origin=" << Vec(s->origin, kCoord)
          << " offset_ms=" << int(s->time_offset);
    } else if (auto* sd = MessageCast<ServerDataMessage>(&m)) {
        o << "protocol=" << sd->protocol << " server_count=" << sd->server_count
          << " attract_loop=" << int(sd->attract_loop) << " game=" << Quote(sd->game_dir)
          << " player=" << sd->player_number << " level=" << Quote(sd->level_name);
    } else if (auto* cs = MessageCast<ConfigStringMessage>(&m)) {
        o << "index=" << cs->index << " " << Quote(cs->value);
    } else if (auto* e = MessageCast<EntityMessage>(&m)) {
        DescribeEntity(o, e->state, m.type == svc_spawnbaseline);
    } else if (auto* pi = MessageCast<PlayerInfoMessage>(&m)) {
        DescribePlayer(o, pi->state);
    } else if (auto* f = MessageCast<FrameMessage>(&m)) {
        o << "server_frame=" << f->server_frame << " delta_frame=" << f->delta_frame
          << " suppress=" << int(f->suppress_count) << " areabits=";
        char hex[4];
        for (int i = 0; i < f->area_bits_length; ++i) {
            std::snprintf(hex, sizeof hex, "%02x", f->AreaBit(i));
            o << hex;
        }
        if (f->area_bits_length == 0) {
            o << "-";
        }
    }
    return o.str();
}
