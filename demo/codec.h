// Turning bytes of a block into message records and records back into bytes. Both directions
// read and update the document's codec state (protocol, signon tables, delta state), so a
// demo is decoded and encoded in file order.
#pragma once

#include "demo_message.h"
#include "wire.h"

#include <cstdint>
#include <vector>

class CTreskDoc;
class MessageArena;

// What ReadMessage found.
enum class ReadStatus {
    kOk,        // a record; decoding goes on
    kEndBlock,  // a record after which the rest of the block cannot be decoded
    kTruncated, // the message runs past the end of the block: no record
};

// Decodes one message at the reader's position into a record made in the arena, following
// the game client: a frame's playerinfo and entities are read against the frame its delta
// number names. Never reads past the reader's end; on kTruncated the returned record is null
// and the document's state is left as the last complete message left it. kEndBlock may come
// with a null record when the message may not stand where it does (frame data out of place).
DemoMessage* ReadMessage(WireReader& in, CTreskDoc& doc, MessageArena& arena, ReadStatus& status);

// Encodes one record at the end of out and returns the number of bytes written (0 for the
// types that are dropped on saving, and for playerinfo and packetentities, which the saver
// writes with their frame). A serverdata of an older protocol is raised to 31 in the record
// and the document, as the saved demo is. Changes no delta state.
size_t WriteMessage(std::vector<uint8_t>& out, DemoMessage& m, CTreskDoc& doc);

// Lists an entity number beyond the slot tables among the document's problems (numbers that
// fit are passed over).
void ReportNumberWithoutSlot(CTreskDoc& doc, int number);

// Texts the codec shows.
extern const char* const kInvalidIdText;
extern const char* const kInvalidTempEntityText;
extern const char* const kOldProtocolText;
// "ERROR! [saving] Demo contains invalid message ID = %x" filled in.
std::string InvalidSaveIdText(int id);
// The warning for a protocol the editor does not understand (shown once per document).
std::string UnknownProtocolText(int protocol);
// The problem listed for such a serverdata.
std::string UnsupportedProtocolProblem(int protocol);
// True for the protocols the codec reads: the game's from 3.05 (26) to 3.19 and later (34).
bool ProtocolUnderstood(int protocol);

// Lets the one-per-run invalid id report show again (for tests).
void ResetInvalidIdReport();
