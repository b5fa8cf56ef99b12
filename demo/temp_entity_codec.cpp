#include "temp_entity_codec.h"

#include "svc.h"

namespace {

using F = TeField;

constexpr F kPosDir[] = {F::kPosition, F::kDirection};
constexpr F kPos[] = {F::kPosition};
constexpr F kPosEnd[] = {F::kPosition, F::kEndPosition};
constexpr F kSplash[] = {F::kCount, F::kPosition, F::kDirection, F::kSplashColor};
constexpr F kSparks[] = {F::kCount, F::kPosition, F::kDirection, F::kSparksColor};
constexpr F kEntPosEnd[] = {F::kEntity, F::kPosition, F::kEndPosition};
constexpr F kCable[] = {F::kEntity, F::kPosition, F::kEndPosition, F::kOffset};
constexpr F kLightning[] = {F::kEntity, F::kEntity2, F::kPosition, F::kEndPosition};
constexpr F kFlashlight[] = {F::kPosition, F::kEntity};
constexpr F kForceWall[] = {F::kPosition, F::kEndPosition, F::kSparksColor};
constexpr F kSteam[] = {F::kId,          F::kCount,     F::kPosition, F::kDirection,
                        F::kSparksColor, F::kMagnitude, F::kWait};
constexpr F kWidowBeam[] = {F::kId, F::kPosition};

template <size_t N> constexpr TeLayout L(const F (&f)[N]) {
    return {f, static_cast<int>(N)};
}

} // namespace

TeLayout TempEntityLayout(uint8_t subtype, int protocol) {
    switch (subtype) {
    case 0:
    case 1:
    case 2:
    case 4:
    case 9:
    case 12:
    case 13:
    case 14:
    case 30:
    case 42:
    case 43:
    case 44:
    case 46:
    case 55:
        return L(kPosDir);
    case 3:
    case 11:
    case 23:
    case 34:
    case 41:
        return L(kPosEnd);
    case 5:
    case 6:
    case 7:
    case 8:
    case 17:
    case 18:
    case 20:
    case 21:
    case 22:
    case 28:
    case 35:
    case 45:
    case 47:
    case 48:
    case 49:
    case 51:
    case 52:
    case 53:
    case 54:
        return L(kPos);
    case 10:
        return L(kSplash);
    case 15:
    case 25:
    case 29:
        return L(kSparks);
    case 16:
    case 19:
    case 38:
    case 39:
        return L(kEntPosEnd);
    case 24:
        return L(kCable);
    case 26:
        return protocol >= kProtocolNewTempEnts ? L(kPosDir) : L(kPosEnd);
    case 27:
        return protocol >= kProtocolNewTempEnts ? L(kPosEnd) : L(kPosDir);
    case 33:
        return L(kLightning);
    case 36:
        return L(kFlashlight);
    case 37:
        return L(kForceWall);
    case 40:
        return L(kSteam);
    case 50:
        return L(kWidowBeam);
    default:
        return {nullptr, 0};
    }
}

namespace {

// Moves one value between the wire and a record field: reading fills the field, writing
// sends it. One walk over a subtype's fields then serves both directions.
struct ReadTransfer {
    WireReader& in;
    void Value(uint8_t& v) { v = in.Byte(); }
    void Value(uint16_t& v) { v = in.Word(); }
    void Value(int16_t& v) { v = in.Short(); }
    void Value(int32_t& v) { v = in.Long(); }
    void Value(int16_t (&v)[3]) { in.Position3(v); }
};

struct WriteTransfer {
    WireWriter& out;
    void Value(uint8_t v) { out.Byte(v); }
    void Value(uint16_t v) { out.Word(v); }
    void Value(int16_t v) { out.Word(static_cast<uint16_t>(v)); }
    void Value(int32_t v) { out.Dword(static_cast<uint32_t>(v)); }
    void Value(const int16_t (&v)[3]) { out.Position3(v); }
};

// Transfers the fields of the subtype's layout in wire order; false for an invalid subtype.
template <class Transfer, class Record>
bool TransferFields(Transfer transfer, Record& te, int protocol) {
    TeLayout layout = TempEntityLayout(te.subtype, protocol);
    if (layout.fields == nullptr) {
        return false;
    }
    for (int i = 0; i < layout.count; ++i) {
        switch (layout.fields[i]) {
        case F::kEntity:
            transfer.Value(te.entity);
            break;
        case F::kEntity2:
            transfer.Value(te.entity2);
            break;
        case F::kPosition:
            transfer.Value(te.position);
            break;
        case F::kEndPosition:
            transfer.Value(te.end_position);
            break;
        case F::kDirection:
            transfer.Value(te.direction);
            break;
        case F::kOffset:
            transfer.Value(te.offset);
            break;
        case F::kCount:
            transfer.Value(te.count);
            break;
        case F::kSplashColor:
            transfer.Value(te.splash_color);
            break;
        case F::kSparksColor:
            transfer.Value(te.sparks_color);
            break;
        case F::kId:
            transfer.Value(te.id);
            break;
        case F::kMagnitude:
            transfer.Value(te.magnitude);
            break;
        case F::kWait:
            // The id that comes first on the wire says whether the wait follows.
            if (te.id != -1) {
                transfer.Value(te.wait);
            }
            break;
        }
    }
    return true;
}

} // namespace

bool ReadTempEntityFields(WireReader& in, TempEntityMessage& te, int protocol) {
    return TransferFields(ReadTransfer{in}, te, protocol);
}

bool WriteTempEntityFields(WireWriter& out, const TempEntityMessage& te, int protocol) {
    return TransferFields(WriteTransfer{out}, te, protocol);
}
