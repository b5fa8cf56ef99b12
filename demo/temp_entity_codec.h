// Temp entity messages: the subtype byte selects which fields follow.
#pragma once

#include "demo_message.h"
#include "wire.h"

// Fields a temp entity subtype carries, in wire order.
enum class TeField : uint8_t {
    kEntity,      // 16-bit entity
    kEntity2,     // 16-bit second entity
    kPosition,    // position
    kEndPosition, // position
    kDirection,   // direction byte
    kOffset,      // position
    kCount,       // byte
    kSplashColor, // byte
    kSparksColor, // byte
    kId,          // 16-bit
    kMagnitude,   // 16-bit
    kWait,        // 32-bit, sent only when the id is not -1
};

struct TeLayout {
    const TeField* fields; // null for an invalid subtype
    int count;
};

// The layout of a subtype under a protocol: before protocol 32 subtypes 26 and 27 swap
// meanings (trail and blood); subtypes the game does not know have no layout.
TeLayout TempEntityLayout(uint8_t subtype, int protocol);

// Reads the fields after the subtype byte; false for an invalid subtype (nothing consumed).
bool ReadTempEntityFields(WireReader& in, TempEntityMessage& te, int protocol);
// Writes the fields after the subtype byte; false for an invalid subtype (nothing written).
bool WriteTempEntityFields(WireWriter& out, const TempEntityMessage& te, int protocol);
