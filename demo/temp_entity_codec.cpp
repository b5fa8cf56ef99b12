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

bool ReadTempEntityFields(WireReader& in, TempEntityMessage& te, int protocol) {
    TeLayout layout = TempEntityLayout(te.subtype, protocol);
    if (layout.fields == nullptr) {
        return false;
    }
    for (int i = 0; i < layout.count; ++i) {
        switch (layout.fields[i]) {
        case F::kEntity:
            te.entity = in.Word();
            break;
        case F::kEntity2:
            te.entity2 = in.Word();
            break;
        case F::kPosition:
            in.Position3(te.position);
            break;
        case F::kEndPosition:
            in.Position3(te.end_position);
            break;
        case F::kDirection:
            te.direction = in.Byte();
            break;
        case F::kOffset:
            in.Position3(te.offset);
            break;
        case F::kCount:
            te.count = in.Byte();
            break;
        case F::kSplashColor:
            te.splash_color = in.Byte();
            break;
        case F::kSparksColor:
            te.sparks_color = in.Byte();
            break;
        case F::kId:
            te.id = in.Short();
            break;
        case F::kMagnitude:
            te.magnitude = in.Short();
            break;
        case F::kWait:
            if (te.id != -1) {
                te.wait = in.Long();
            }
            break;
        }
    }
    return true;
}

bool WriteTempEntityFields(WireWriter& out, const TempEntityMessage& te, int protocol) {
    TeLayout layout = TempEntityLayout(te.subtype, protocol);
    if (layout.fields == nullptr) {
        return false;
    }
    for (int i = 0; i < layout.count; ++i) {
        switch (layout.fields[i]) {
        case F::kEntity:
            out.Word(te.entity);
            break;
        case F::kEntity2:
            out.Word(te.entity2);
            break;
        case F::kPosition:
            out.Position3(te.position);
            break;
        case F::kEndPosition:
            out.Position3(te.end_position);
            break;
        case F::kDirection:
            out.Byte(te.direction);
            break;
        case F::kOffset:
            out.Position3(te.offset);
            break;
        case F::kCount:
            out.Byte(te.count);
            break;
        case F::kSplashColor:
            out.Byte(te.splash_color);
            break;
        case F::kSparksColor:
            out.Byte(te.sparks_color);
            break;
        case F::kId:
            out.Word(static_cast<uint16_t>(te.id));
            break;
        case F::kMagnitude:
            out.Word(static_cast<uint16_t>(te.magnitude));
            break;
        case F::kWait:
            if (te.id != -1) {
                out.Dword(static_cast<uint32_t>(te.wait));
            }
            break;
        }
    }
    return true;
}
