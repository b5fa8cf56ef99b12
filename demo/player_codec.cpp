#include "player_codec.h"

#include <cstring>

namespace {

template <class T> bool Differ3(const T (&a)[3], const T (&b)[3]) {
    return a[0] != b[0] || a[1] != b[1] || a[2] != b[2];
}

void ReadShorts3(WireReader& in, int16_t (&v)[3]) {
    for (auto& x : v) {
        x = in.Short();
    }
}

template <class T> void ReadChars3(WireReader& in, T (&v)[3]) {
    for (auto& x : v) {
        x = static_cast<T>(in.Char());
    }
}

void WriteShorts3(WireWriter& out, const int16_t (&v)[3]) {
    for (auto x : v) {
        out.Word(static_cast<uint16_t>(x));
    }
}

template <class T> void WriteChars3(WireWriter& out, const T (&v)[3]) {
    for (auto x : v) {
        out.Byte(static_cast<uint8_t>(x));
    }
}

} // namespace

void ReadPlayerDelta(WireReader& in, const PlayerState& previous, PlayerState& out) {
    out = previous;
    uint32_t flags = in.Word();
    if (flags & PS_M_TYPE) {
        out.pm_type = in.Byte();
    }
    if (flags & PS_M_ORIGIN) {
        ReadShorts3(in, out.origin);
    }
    if (flags & PS_M_VELOCITY) {
        ReadShorts3(in, out.velocity);
    }
    if (flags & PS_M_TIME) {
        out.pm_time = in.Byte();
    }
    if (flags & PS_M_FLAGS) {
        out.pm_flags = in.Byte();
    }
    if (flags & PS_M_GRAVITY) {
        out.gravity = in.Short();
    }
    if (flags & PS_M_DELTA_ANGLES) {
        ReadShorts3(in, out.delta_angles);
    }
    if (flags & PS_VIEWOFFSET) {
        ReadChars3(in, out.viewoffset);
    }
    if (flags & PS_VIEWANGLES) {
        ReadShorts3(in, out.viewangles);
    }
    if (flags & PS_KICKANGLES) {
        ReadChars3(in, out.kick_angles);
    }
    if (flags & PS_WEAPONINDEX) {
        out.gunindex = in.Byte();
    }
    if (flags & PS_WEAPONFRAME) {
        out.gunframe = in.Byte();
        ReadChars3(in, out.gunoffset);
        ReadChars3(in, out.gunangles);
    }
    if (flags & PS_BLEND) {
        for (float& c : out.blend) {
            c = in.Byte();
        }
    }
    if (flags & PS_FOV) {
        out.fov = in.Byte();
    }
    if (flags & PS_RDFLAGS) {
        out.rdflags = in.Byte();
    }
    out.statsMask = in.Dword();
    for (int i = 0; i < kMaxStats; ++i) {
        if (out.statsMask & (1u << i)) {
            out.stats[i] = in.Short();
        }
    }
}

void WritePlayerDelta(WireWriter& out, const PlayerState& s, PlayerState& previous) {
    const PlayerState& p = previous;
    uint32_t flags = 0;
    if (s.pm_type != p.pm_type)
        flags |= PS_M_TYPE;
    if (Differ3(s.origin, p.origin))
        flags |= PS_M_ORIGIN;
    if (Differ3(s.velocity, p.velocity))
        flags |= PS_M_VELOCITY;
    if (s.pm_time != p.pm_time)
        flags |= PS_M_TIME;
    if (s.pm_flags != p.pm_flags)
        flags |= PS_M_FLAGS;
    if (s.gravity != p.gravity)
        flags |= PS_M_GRAVITY;
    if (Differ3(s.delta_angles, p.delta_angles))
        flags |= PS_M_DELTA_ANGLES;
    if (Differ3(s.viewoffset, p.viewoffset))
        flags |= PS_VIEWOFFSET;
    if (Differ3(s.viewangles, p.viewangles))
        flags |= PS_VIEWANGLES;
    if (Differ3(s.kick_angles, p.kick_angles))
        flags |= PS_KICKANGLES;
    if (s.gunindex != p.gunindex || s.gunframe != p.gunframe)
        flags |= PS_WEAPONINDEX;
    // Gun offset and angles travel only with the gun frame, so a change of either sends it.
    if (s.gunframe != p.gunframe || Differ3(s.gunoffset, p.gunoffset) ||
        Differ3(s.gunangles, p.gunangles)) {
        flags |= PS_WEAPONFRAME;
    }
    if (std::memcmp(s.blend, p.blend, sizeof s.blend) != 0)
        flags |= PS_BLEND;
    if (s.fov != p.fov)
        flags |= PS_FOV;
    if (s.rdflags != p.rdflags)
        flags |= PS_RDFLAGS;

    out.Word(flags);
    if (flags & PS_M_TYPE) {
        out.Byte(s.pm_type);
    }
    if (flags & PS_M_ORIGIN) {
        WriteShorts3(out, s.origin);
    }
    if (flags & PS_M_VELOCITY) {
        WriteShorts3(out, s.velocity);
    }
    if (flags & PS_M_TIME) {
        out.Byte(s.pm_time);
    }
    if (flags & PS_M_FLAGS) {
        out.Byte(s.pm_flags);
    }
    if (flags & PS_M_GRAVITY) {
        out.Word(static_cast<uint16_t>(s.gravity));
    }
    if (flags & PS_M_DELTA_ANGLES) {
        WriteShorts3(out, s.delta_angles);
    }
    if (flags & PS_VIEWOFFSET) {
        WriteChars3(out, s.viewoffset);
    }
    if (flags & PS_VIEWANGLES) {
        WriteShorts3(out, s.viewangles);
    }
    if (flags & PS_KICKANGLES) {
        WriteChars3(out, s.kick_angles);
    }
    if (flags & PS_WEAPONINDEX) {
        out.Byte(s.gunindex);
    }
    if (flags & PS_WEAPONFRAME) {
        out.Byte(s.gunframe);
        WriteChars3(out, s.gunoffset);
        WriteChars3(out, s.gunangles);
    }
    if (flags & PS_BLEND) {
        for (float c : s.blend) {
            out.Byte(static_cast<uint32_t>(static_cast<int>(c)));
        }
    }
    if (flags & PS_FOV) {
        out.Byte(s.fov);
    }
    if (flags & PS_RDFLAGS) {
        out.Byte(s.rdflags);
    }
    uint32_t statsMask = 0;
    for (int i = 0; i < kMaxStats; ++i) {
        if (s.stats[i] != p.stats[i]) {
            statsMask |= 1u << i;
        }
    }
    out.Dword(statsMask);
    for (int i = 0; i < kMaxStats; ++i) {
        if (statsMask & (1u << i)) {
            out.Word(static_cast<uint16_t>(s.stats[i]));
        }
    }
    previous = s;
    previous.statsMask = statsMask;
}
