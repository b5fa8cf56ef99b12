#include "entity_codec.h"

#include "tresk_doc.h"

namespace {

// A field sent in 8, 16 or 32 bits by its two bits. The 16-bit form is signed on the wire, as
// the game reads it.
uint32_t ReadVariable(WireReader& in, uint32_t bits, uint32_t bit8, uint32_t bit16) {
    if ((bits & (bit8 | bit16)) == (bit8 | bit16)) {
        return in.Dword();
    }
    if (bits & bit8) {
        return in.Byte();
    }
    return static_cast<uint32_t>(static_cast<int32_t>(in.Short()));
}

// The smallest form that reads back as the same 32-bit value.
uint32_t VariableBits(uint32_t v, uint32_t bit8, uint32_t bit16) {
    if (v <= 0xFF) {
        return bit8;
    }
    int32_t sv = static_cast<int32_t>(v);
    if (sv >= -32768 && sv <= 32767) {
        return bit16;
    }
    return bit8 | bit16;
}

// The frame is 8 bits for 0 to 255, otherwise 16 bits read back sign-extended.
uint32_t FrameBits(uint32_t frame) {
    return frame <= 0xFF ? U_FRAME8 : U_FRAME16;
}

void WriteVariable(WireWriter& out, uint32_t v, uint32_t bits, uint32_t bit8, uint32_t bit16) {
    if ((bits & (bit8 | bit16)) == (bit8 | bit16)) {
        out.Dword(v);
    } else if (bits & bit8) {
        out.Byte(v);
    } else if (bits & bit16) {
        out.Word(v);
    }
}

void WriteBitsAndNumber(WireWriter& out, uint32_t bits, uint16_t number) {
    if (number >= 256) {
        bits |= U_NUMBER16;
    }
    if (bits & 0xFF000000u) {
        bits |= U_MOREBITS3 | U_MOREBITS2 | U_MOREBITS1;
    } else if (bits & 0x00FF0000u) {
        bits |= U_MOREBITS2 | U_MOREBITS1;
    } else if (bits & 0x0000FF00u) {
        bits |= U_MOREBITS1;
    }
    out.Byte(bits);
    if (bits & U_MOREBITS1) {
        out.Byte(bits >> 8);
    }
    if (bits & U_MOREBITS2) {
        out.Byte(bits >> 16);
    }
    if (bits & U_MOREBITS3) {
        out.Byte(bits >> 24);
    }
    if (bits & U_NUMBER16) {
        out.Word(number);
    } else {
        out.Byte(number);
    }
}

template <class T> bool Differ3(const T (&a)[3], const T (&b)[3]) {
    return a[0] != b[0] || a[1] != b[1] || a[2] != b[2];
}

} // namespace

uint32_t ReadEntityBits(WireReader& in, uint16_t& number) {
    uint32_t bits = in.Byte();
    if (bits & U_MOREBITS1) {
        bits |= static_cast<uint32_t>(in.Byte()) << 8;
    }
    if (bits & U_MOREBITS2) {
        bits |= static_cast<uint32_t>(in.Byte()) << 16;
    }
    if (bits & U_MOREBITS3) {
        bits |= static_cast<uint32_t>(in.Byte()) << 24;
    }
    number = (bits & U_NUMBER16) ? in.Word() : in.Byte();
    return bits;
}

void ReadEntityFields(WireReader& in, uint32_t bits, const EntityState& from, EntityState& s) {
    uint16_t number = s.number;
    s = from;
    CarryOver(s);
    s.number = number;
    if (bits & U_MODEL) {
        s.modelindex = in.Byte();
    }
    if (bits & U_MODEL2) {
        s.modelindex2 = in.Byte();
    }
    if (bits & U_MODEL3) {
        s.modelindex3 = in.Byte();
    }
    if (bits & U_MODEL4) {
        s.modelindex4 = in.Byte();
    }
    if (bits & U_FRAME8) {
        s.frame = in.Byte();
    }
    if (bits & U_FRAME16) {
        s.frame = static_cast<uint32_t>(static_cast<int32_t>(in.Short()));
    }
    if (bits & (U_SKIN8 | U_SKIN16)) {
        s.skinnum = ReadVariable(in, bits, U_SKIN8, U_SKIN16);
    }
    if (bits & (U_EFFECTS8 | U_EFFECTS16)) {
        s.effects = ReadVariable(in, bits, U_EFFECTS8, U_EFFECTS16);
    }
    if (bits & (U_RENDERFX8 | U_RENDERFX16)) {
        s.renderfx = ReadVariable(in, bits, U_RENDERFX8, U_RENDERFX16);
    }
    if (bits & U_ORIGIN1) {
        s.origin[0] = in.Short();
    }
    if (bits & U_ORIGIN2) {
        s.origin[1] = in.Short();
    }
    if (bits & U_ORIGIN3) {
        s.origin[2] = in.Short();
    }
    if (bits & U_ANGLE1) {
        s.angles[0] = in.Byte();
    }
    if (bits & U_ANGLE2) {
        s.angles[1] = in.Byte();
    }
    if (bits & U_ANGLE3) {
        s.angles[2] = in.Byte();
    }
    if (bits & U_OLDORIGIN) {
        in.Position3(s.old_origin);
    }
    if (bits & U_SOUND) {
        s.sound = in.Byte();
    }
    if (bits & U_EVENT) {
        s.event = in.Byte();
    }
    if (bits & U_SOLID) {
        s.solid = in.Word();
    }
}

void ReadBaselineDelta(WireReader& in, EntityState& out) {
    out = EntityState{};
    uint32_t bits = ReadEntityBits(in, out.number);
    ReadEntityFields(in, bits, EntityState{}, out);
    if ((bits & (U_FRAME8 | U_FRAME16)) == 0) {
        out.frame = kFrameNotSent;
    }
}

void StoreBaseline(DeltaState& delta, const EntityState& s) {
    if (!HasSlot(s.number)) {
        return;
    }
    EntitySlot& base = delta.baseline[s.number];
    static_cast<EntityState&>(base) = s;
    if (s.frame == kFrameNotSent) {
        base.frame = 0;
    }
    base.event = 0;
    base.remove = 0;
}

void WriteBaselineDelta(WireWriter& out, const EntityState& s) {
    EntityState from{};
    EntityState to = s;
    to.frame = 0; // the frame bit follows the record's mark, below
    uint32_t bits = EntityDeltaBits(from, to);
    if (s.frame != kFrameNotSent) {
        bits |= FrameBits(s.frame);
    }
    WriteEntityDelta(out, bits, s);
}

uint32_t EntityDeltaBits(const EntityState& from, const EntityState& to) {
    if (NothingToSend(from, to)) {
        return 0;
    }
    uint32_t bits = 0;
    if (to.origin[0] != from.origin[0])
        bits |= U_ORIGIN1;
    if (to.origin[1] != from.origin[1])
        bits |= U_ORIGIN2;
    if (to.origin[2] != from.origin[2])
        bits |= U_ORIGIN3;
    if (to.angles[0] != from.angles[0])
        bits |= U_ANGLE1;
    if (to.angles[1] != from.angles[1])
        bits |= U_ANGLE2;
    if (to.angles[2] != from.angles[2])
        bits |= U_ANGLE3;
    if (to.skinnum != from.skinnum)
        bits |= VariableBits(to.skinnum, U_SKIN8, U_SKIN16);
    if (to.frame != from.frame)
        bits |= FrameBits(to.frame);
    if (to.effects != from.effects)
        bits |= VariableBits(to.effects, U_EFFECTS8, U_EFFECTS16);
    if (to.renderfx != from.renderfx)
        bits |= VariableBits(to.renderfx, U_RENDERFX8, U_RENDERFX16);
    if (to.solid != from.solid)
        bits |= U_SOLID;
    if (to.event != 0)
        bits |= U_EVENT;
    if (to.modelindex != from.modelindex)
        bits |= U_MODEL;
    if (to.modelindex2 != from.modelindex2)
        bits |= U_MODEL2;
    if (to.modelindex3 != from.modelindex3)
        bits |= U_MODEL3;
    if (to.modelindex4 != from.modelindex4)
        bits |= U_MODEL4;
    if (to.sound != from.sound)
        bits |= U_SOUND;
    // Without the bit the game puts the old origin where the entity stood before.
    if (Differ3(to.old_origin, from.origin))
        bits |= U_OLDORIGIN;
    return bits;
}

void WriteEntityDelta(WireWriter& out, uint32_t bits, const EntityState& s) {
    WriteBitsAndNumber(out, bits, s.number);
    if (bits & U_MODEL) {
        out.Byte(s.modelindex);
    }
    if (bits & U_MODEL2) {
        out.Byte(s.modelindex2);
    }
    if (bits & U_MODEL3) {
        out.Byte(s.modelindex3);
    }
    if (bits & U_MODEL4) {
        out.Byte(s.modelindex4);
    }
    if (bits & U_FRAME8) {
        out.Byte(s.frame);
    }
    if (bits & U_FRAME16) {
        out.Word(s.frame);
    }
    WriteVariable(out, s.skinnum, bits, U_SKIN8, U_SKIN16);
    WriteVariable(out, s.effects, bits, U_EFFECTS8, U_EFFECTS16);
    WriteVariable(out, s.renderfx, bits, U_RENDERFX8, U_RENDERFX16);
    if (bits & U_ORIGIN1) {
        out.Word(static_cast<uint16_t>(s.origin[0]));
    }
    if (bits & U_ORIGIN2) {
        out.Word(static_cast<uint16_t>(s.origin[1]));
    }
    if (bits & U_ORIGIN3) {
        out.Word(static_cast<uint16_t>(s.origin[2]));
    }
    if (bits & U_ANGLE1) {
        out.Byte(s.angles[0]);
    }
    if (bits & U_ANGLE2) {
        out.Byte(s.angles[1]);
    }
    if (bits & U_ANGLE3) {
        out.Byte(s.angles[2]);
    }
    if (bits & U_OLDORIGIN) {
        out.Position3(s.old_origin);
    }
    if (bits & U_SOUND) {
        out.Byte(s.sound);
    }
    if (bits & U_EVENT) {
        out.Byte(s.event);
    }
    if (bits & U_SOLID) {
        out.Word(s.solid);
    }
}

void WriteEntityRemove(WireWriter& out, uint16_t number) {
    WriteBitsAndNumber(out, U_REMOVE, number);
}

void WriteEntityTerminator(WireWriter& out) {
    WriteBitsAndNumber(out, 0, 0);
}
