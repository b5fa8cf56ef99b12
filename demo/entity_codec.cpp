#include "entity_codec.h"

#include "tresk_doc.h"

namespace {

uint32_t ReadBits(WireReader& in) {
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
    return bits;
}

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

void WriteVariable(WireWriter& out, uint32_t v, uint32_t bits, uint32_t bit8, uint32_t bit16) {
    if ((bits & (bit8 | bit16)) == (bit8 | bit16)) {
        out.Dword(v);
    } else if (bits & bit8) {
        out.Byte(v);
    } else if (bits & bit16) {
        out.Word(v);
    }
}

// Reads the fields selected by bits into s, in wire order. Fields not sent keep their value.
void ReadFields(WireReader& in, uint32_t bits, EntityState& s) {
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
        s.frame = in.Word();
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
    s.event = (bits & U_EVENT) ? in.Byte() : 0;
    if (bits & U_SOLID) {
        s.solid = in.Word();
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

void WriteFields(WireWriter& out, uint32_t bits, const EntityState& s) {
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

void ToSlot(const EntityState& s, EntitySlot& slot) {
    static_cast<EntityState&>(slot) = s;
    slot.frame &= 0xFF;
    slot.effects &= 0xFF;
    slot.number = 0;
    slot.event = 0;
    slot.remove = 0;
}

// The slot's state under the record's number and remove flag.
void FromSlot(const EntitySlot& slot, EntityState& s) {
    uint16_t number = s.number;
    uint8_t remove = s.remove;
    s = slot;
    s.number = number;
    s.remove = remove;
}

uint16_t ReadNumber(WireReader& in, uint32_t bits) {
    return (bits & U_NUMBER16) ? in.Word() : in.Byte();
}

} // namespace

void ReadBaselineDelta(WireReader& in, EntityState& out) {
    out = EntityState{};
    uint32_t bits = ReadBits(in);
    out.number = ReadNumber(in, bits);
    ReadFields(in, bits, out);
    if ((bits & (U_FRAME8 | U_FRAME16)) == 0) {
        out.frame = kFrameNotSent;
    }
}

void StoreBaseline(DeltaState& delta, const EntityState& s) {
    if (!HasSlot(s.number)) {
        return;
    }
    EntitySlot& base = delta.baseline[s.number];
    ToSlot(s, base);
    if (s.frame == kFrameNotSent) {
        base.frame = 0;
    }
    delta.current[s.number] = base;
}

void WriteBaselineDelta(WireWriter& out, const EntityState& s, DeltaState& delta) {
    uint32_t bits = 0;
    if (s.origin[0])
        bits |= U_ORIGIN1;
    if (s.origin[1])
        bits |= U_ORIGIN2;
    if (s.origin[2])
        bits |= U_ORIGIN3;
    if (s.angles[0])
        bits |= U_ANGLE1;
    if (s.angles[1])
        bits |= U_ANGLE2;
    if (s.angles[2])
        bits |= U_ANGLE3;
    if (s.skinnum)
        bits |= VariableBits(s.skinnum, U_SKIN8, U_SKIN16);
    if (s.frame != kFrameNotSent)
        bits |= s.frame < 256 ? U_FRAME8 : U_FRAME16;
    if (s.effects)
        bits |= VariableBits(s.effects, U_EFFECTS8, U_EFFECTS16);
    if (s.renderfx)
        bits |= VariableBits(s.renderfx, U_RENDERFX8, U_RENDERFX16);
    if (s.solid)
        bits |= U_SOLID;
    if (s.sound)
        bits |= U_SOUND;
    if (s.event)
        bits |= U_EVENT;
    if (s.modelindex)
        bits |= U_MODEL;
    if (s.modelindex2)
        bits |= U_MODEL2;
    if (s.modelindex3)
        bits |= U_MODEL3;
    if (s.modelindex4)
        bits |= U_MODEL4;
    if (s.old_origin[0] || s.old_origin[1] || s.old_origin[2])
        bits |= U_OLDORIGIN;
    WriteBitsAndNumber(out, bits, s.number);
    WriteFields(out, bits, s);
    StoreBaseline(delta, s);
}

bool ReadPacketEntityDelta(WireReader& in, const DeltaState& delta, EntityState& out) {
    out = EntityState{};
    uint32_t bits = ReadBits(in);
    out.number = ReadNumber(in, bits);
    if (out.number == 0) {
        return false;
    }
    out.remove = (bits & U_REMOVE) ? 1 : 0;
    if (HasSlot(out.number)) {
        FromSlot(delta.current[out.number], out);
    }
    ReadFields(in, bits, out);
    return true;
}

void StorePacketEntity(DeltaState& delta, const EntityState& s) {
    if (s.number == 0 || !HasSlot(s.number)) {
        return;
    }
    if (s.remove) {
        delta.current[s.number] = delta.baseline[s.number];
    } else {
        ToSlot(s, delta.current[s.number]);
    }
}

void WritePacketEntityDelta(WireWriter& out, const EntityState& s, DeltaState& delta) {
    if (s.number == 0) {
        WriteBitsAndNumber(out, 0, 0);
        return;
    }
    EntitySlot none{};
    const EntitySlot& slot = HasSlot(s.number) ? delta.current[s.number] : none;
    uint32_t bits = 0;
    if (s.remove)
        bits |= U_REMOVE;
    if (s.origin[0] != slot.origin[0])
        bits |= U_ORIGIN1;
    if (s.origin[1] != slot.origin[1])
        bits |= U_ORIGIN2;
    if (s.origin[2] != slot.origin[2])
        bits |= U_ORIGIN3;
    if (s.angles[0] != slot.angles[0])
        bits |= U_ANGLE1;
    if (s.angles[1] != slot.angles[1])
        bits |= U_ANGLE2;
    if (s.angles[2] != slot.angles[2])
        bits |= U_ANGLE3;
    if (s.skinnum != slot.skinnum)
        bits |= VariableBits(s.skinnum, U_SKIN8, U_SKIN16);
    if (s.frame != slot.frame)
        bits |= s.frame < 256 ? U_FRAME8 : U_FRAME16;
    if (s.effects != slot.effects)
        bits |= VariableBits(s.effects, U_EFFECTS8, U_EFFECTS16);
    if (s.renderfx != slot.renderfx)
        bits |= VariableBits(s.renderfx, U_RENDERFX8, U_RENDERFX16);
    if (s.solid != slot.solid)
        bits |= U_SOLID;
    if (s.event)
        bits |= U_EVENT;
    if (s.modelindex != slot.modelindex)
        bits |= U_MODEL;
    if (s.modelindex2 != slot.modelindex2)
        bits |= U_MODEL2;
    if (s.modelindex3 != slot.modelindex3)
        bits |= U_MODEL3;
    if (s.modelindex4 != slot.modelindex4)
        bits |= U_MODEL4;
    if (s.sound != slot.sound)
        bits |= U_SOUND;
    if (s.old_origin[0] != slot.old_origin[0] || s.old_origin[1] != slot.old_origin[1] ||
        s.old_origin[2] != slot.old_origin[2]) {
        bits |= U_OLDORIGIN;
    }
    WriteBitsAndNumber(out, bits, s.number);
    WriteFields(out, bits, s);
    StorePacketEntity(delta, s);
}
