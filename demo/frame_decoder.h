// Reading a frame as the game client does: the frame message names the ring entry its player
// state and entities are read against, the playerinfo and packetentities that follow fill the
// new entry. Records then hold what the game showed, at full width.
#pragma once

#include "codec.h"
#include "demo_message.h"
#include "wire.h"

class CTreskDoc;

// A frame message was read whole: opens the frame against the entry its delta number names.
void BeginFrame(CTreskDoc& doc, FrameMessage& frame);
// Reads the open frame's playerinfo (its id already read) against the old frame's player.
ReadStatus ReadFramePlayer(WireReader& in, CTreskDoc& doc, PlayerInfoMessage& p);
// Reads one packet entity of the open frame (the run's id already read). The terminator
// (number 0) completes the frame and stores it in the ring.
ReadStatus ReadFrameEntity(WireReader& in, CTreskDoc& doc, EntityMessage& e);
// The block ended or failed before the open frame was complete: the game never shows it.
void AbandonFrame(CTreskDoc& doc);
