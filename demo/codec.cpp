#include "codec.h"

#include "entity_codec.h"
#include "frame_decoder.h"
#include "frame_problems.h"
#include "message_arena.h"
#include "show_message.h"
#include "signon_routing.h"
#include "temp_entity_codec.h"
#include "tresk_doc.h"

#include <cstdio>

const char* const kInvalidIdText = "ERROR:  Demo contains invalid ID (please only load demos "
                                   "recorded with Quake 2 3.14+).  No more errors will be "
                                   "reported.";
const char* const kInvalidTempEntityText = "Error, default case in a svc_temp_entity";
const char* const kOldProtocolText = "WARNING: This demo was recorded with an old version of "
                                     "Quake 2.  It will converted to the new format.";

std::string InvalidSaveIdText(int id) {
    char text[64];
    std::snprintf(text, sizeof text, "ERROR! [saving] Demo contains invalid message ID = %x", id);
    return text;
}

std::string UnknownProtocolText(int protocol) {
    return "This demo uses protocol " + std::to_string(protocol) +
           ", which this editor does not understand. It may not decode correctly.";
}

std::string UnsupportedProtocolProblem(int protocol) {
    return "protocol " + std::to_string(protocol) +
           ", which this editor does not understand: what follows may be misread";
}

bool ProtocolUnderstood(int protocol) {
    return protocol >= kProtocolOldest && protocol <= kProtocolCurrent;
}

namespace {

// The invalid id report is shown once per program run.
bool g_invalidIdReported = false;

void ReportInvalidId(CTreskDoc& doc, int id) {
    doc.ReportProblem("invalid message id " + std::to_string(id));
    if (!g_invalidIdReported) {
        g_invalidIdReported = true;
        ShowMessage(kInvalidIdText);
    }
}

// Protocols before 30 recorded frames without the suppress count, though some versions in
// between already sent it. A frame is always followed by the playerinfo, which tells the two
// layouts apart; when it cannot, the protocol number decides.
bool FrameHasSuppressCount(const WireReader& in, int protocol) {
    if (protocol >= kProtocolModern) {
        return true;
    }
    WireReader without = in;
    without.Skip(without.Byte());
    bool withoutFits =
        !without.Overflow() && without.Byte() == svc_playerinfo && !without.Overflow();
    WireReader with = in;
    with.Byte();
    with.Skip(with.Byte());
    bool withFits = !with.Overflow() && with.Byte() == svc_playerinfo && !with.Overflow();
    return withFits && !withoutFits;
}

void ReadFrame(WireReader& in, FrameMessage& f, const CTreskDoc& doc) {
    f.server_frame = in.Long();
    f.delta_frame = in.Long();
    f.suppress_count = FrameHasSuppressCount(in, doc.protocolVersion) ? in.Byte() : 0;
    f.area_bits_length = in.Byte();
    f.area_bits.resize(f.area_bits_length);
    in.Bytes(reinterpret_cast<uint8_t*>(f.area_bits.data()), f.area_bits_length);
}

void ReadSound(WireReader& in, SoundMessage& s) {
    s.flags = in.Byte();
    s.soundnum = in.Byte();
    if (s.flags & SND_VOLUME) {
        s.volume = in.Byte();
    }
    if (s.flags & SND_ATTENUATION) {
        s.attenuation = in.Byte();
    }
    if (s.flags & SND_OFFSET) {
        s.time_offset = in.Byte();
    }
    if (s.flags & SND_ENT) {
        uint16_t packed = in.Word();
        s.channel = packed & 7;
        s.entity = packed >> 3;
    }
    if (s.flags & SND_POS) {
        in.Position3(s.origin);
    }
}

void WriteSound(WireWriter& out, const SoundMessage& s) {
    uint8_t flags = s.flags;
    if (s.volume)
        flags |= SND_VOLUME;
    if (s.attenuation)
        flags |= SND_ATTENUATION;
    if (s.time_offset)
        flags |= SND_OFFSET;
    if (s.entity || s.channel)
        flags |= SND_ENT;
    if (s.origin[0] || s.origin[1] || s.origin[2])
        flags |= SND_POS;
    out.Byte(flags);
    out.Byte(s.soundnum);
    if (flags & SND_VOLUME) {
        out.Byte(s.volume);
    }
    if (flags & SND_ATTENUATION) {
        out.Byte(s.attenuation);
    }
    if (flags & SND_OFFSET) {
        out.Byte(s.time_offset);
    }
    if (flags & SND_ENT) {
        out.Word((s.channel & 7) | ((s.entity & 8191) << 3));
    }
    if (flags & SND_POS) {
        out.Position3(s.origin);
    }
}

// The serverdata starts a map: the game forgets every entity, frame and player state it held.
void StartMap(CTreskDoc& doc) {
    doc.delta.baseline = {};
    doc.delta.client.StartMap();
}

void ApplyServerData(CTreskDoc& doc, const ServerDataMessage& sd) {
    if (doc.unsupportedProtocol) {
        // Misread bytes of a demo the codec cannot read can look like further serverdata:
        // they change neither the protocol the demo is known by nor anything else.
        return;
    }
    if (!ProtocolUnderstood(sd.protocol)) {
        doc.unsupportedProtocol = true;
        doc.ReportProblem(UnsupportedProtocolProblem(sd.protocol));
        if (!doc.unknownProtocolShown) {
            doc.unknownProtocolShown = true;
            ShowMessage(UnknownProtocolText(sd.protocol));
        }
    } else if (sd.protocol < kProtocolModern) {
        ShowMessage(kOldProtocolText);
    }
    doc.protocolVersion = sd.protocol;
    doc.playerNumber = sd.player_number;
    doc.mapName = sd.level_name;
    StartMap(doc);
}

// Whether the message with this id may come next, given the frame being read: the game reads
// a frame's playerinfo and packetentities right after it and nowhere else. A problem text
// when it may not, empty when it may.
std::string FrameOrderProblem(const CTreskDoc& doc, uint8_t id) {
    const ClientFrames& c = doc.delta.client;
    const int32_t frame = c.open != nullptr ? c.open->server_frame : 0;
    switch (c.stage) {
    case ClientFrames::Stage::kWantPlayer:
        return id == svc_playerinfo ? std::string() : FrameWithoutPlayerProblem(frame);
    case ClientFrames::Stage::kWantEntities:
        return id == svc_packetentities ? std::string() : FrameWithoutEntitiesProblem(frame);
    case ClientFrames::Stage::kEntities:
        return {}; // the run goes on
    default:
        return id == svc_playerinfo || id == svc_packetentities ? FrameDataOutOfPlaceProblem(id)
                                                                : std::string();
    }
}

// Reads the payload of one message (the id is known). Returns the status of the message.
ReadStatus ReadPayload(WireReader& in, DemoMessage& m, CTreskDoc& doc) {
    switch (m.type) {
    case svc_bad:
    case svc_nop:
    case svc_disconnect:
    case svc_reconnect:
    case svc_download:
        return ReadStatus::kOk;
    case svc_muzzleflash:
    case svc_muzzleflash2: {
        auto& mf = static_cast<MuzzleFlashMessage&>(m);
        mf.entity = in.Word();
        mf.weapon = in.Byte();
        return ReadStatus::kOk;
    }
    case svc_temp_entity: {
        auto& te = static_cast<TempEntityMessage&>(m);
        te.subtype = in.Byte();
        if (in.Overflow()) {
            return ReadStatus::kOk;
        }
        if (!ReadTempEntityFields(in, te, doc.protocolVersion)) {
            // The fields of an unknown effect have no known length: the rest of the block
            // cannot be read reliably.
            doc.ReportProblem("invalid temp entity subtype " + std::to_string(te.subtype));
            ShowMessage(kInvalidTempEntityText);
            return ReadStatus::kEndBlock;
        }
        return ReadStatus::kOk;
    }
    case svc_layout:
    case svc_stufftext:
    case svc_centerprint:
        static_cast<TextMessage&>(m).text = in.String(kMaxTextChars);
        return ReadStatus::kOk;
    case svc_print: {
        auto& p = static_cast<PrintMessage&>(m);
        p.level = in.Byte();
        p.text = in.String(kMaxTextChars);
        return ReadStatus::kOk;
    }
    case svc_inventory: {
        auto& inv = static_cast<InventoryMessage&>(m);
        for (auto& c : inv.counts) {
            c = in.Short();
        }
        return ReadStatus::kOk;
    }
    case svc_sound:
        ReadSound(in, static_cast<SoundMessage&>(m));
        return ReadStatus::kOk;
    case svc_serverdata: {
        auto& sd = static_cast<ServerDataMessage&>(m);
        sd.protocol = in.Long();
        sd.server_count = in.Dword();
        sd.attract_loop = in.Byte();
        sd.game_dir = in.String(kMaxTextChars);
        sd.player_number = in.Short();
        sd.level_name = in.String(kMaxTextChars);
        if (!in.Overflow()) {
            ApplyServerData(doc, sd);
        }
        return ReadStatus::kOk;
    }
    case svc_configstring: {
        auto& cs = static_cast<ConfigStringMessage&>(m);
        cs.index = in.Word();
        cs.value = in.String(kMaxTextChars);
        if (!in.Overflow()) {
            if (cs.index >= kConfigStringSlots) {
                doc.ReportProblem(ConfigStringIndexProblem(cs.index));
            }
            if (!doc.playStarted) {
                cs.signon = RouteSignonConfigString(doc, cs.index, cs.value);
            }
            if (!cs.signon) {
                SetConfigString(doc.delta.client.configStrings, cs.index, cs.value);
            }
        }
        return ReadStatus::kOk;
    }
    case svc_spawnbaseline: {
        auto& e = static_cast<EntityMessage&>(m);
        ReadBaselineDelta(in, e.state);
        if (!in.Overflow()) {
            ReportNumberWithoutSlot(doc, e.state.number);
            StoreBaseline(doc.delta, e.state);
        }
        return ReadStatus::kOk;
    }
    case svc_packetentities:
        return ReadFrameEntity(in, doc, static_cast<EntityMessage&>(m));
    case svc_playerinfo:
        return ReadFramePlayer(in, doc, static_cast<PlayerInfoMessage&>(m));
    case svc_frame:
        ReadFrame(in, static_cast<FrameMessage&>(m), doc);
        if (!in.Overflow()) {
            doc.playStarted = true;
            BeginFrame(doc, static_cast<FrameMessage&>(m));
        }
        return ReadStatus::kOk;
    default:
        return ReadStatus::kEndBlock;
    }
}

} // namespace

void ReportNumberWithoutSlot(CTreskDoc& doc, int number) {
    if (!HasSlot(number)) {
        doc.ReportProblem("entity number " + std::to_string(number) + " out of range");
    }
}

void ResetInvalidIdReport() {
    g_invalidIdReported = false;
}

DemoMessage* ReadMessage(WireReader& in, CTreskDoc& doc, MessageArena& arena, ReadStatus& status) {
    uint8_t id = svc_packetentities;
    if (!doc.delta.DecodingEntities()) {
        id = in.Byte();
        if (in.Overflow()) {
            status = ReadStatus::kTruncated;
            return nullptr;
        }
    }
    bool valid = id <= kLastNamedSvc && id != svc_deltapacketentities;
    if (valid) {
        if (std::string problem = FrameOrderProblem(doc, id); !problem.empty()) {
            doc.ReportProblem(problem);
            AbandonFrame(doc);
            if (id == svc_playerinfo || id == svc_packetentities) {
                // Frame data without its frame has nothing to be read against.
                status = ReadStatus::kEndBlock;
                return nullptr;
            }
            // A frame without its data is never shown (and not saved); the messages after it
            // stay readable records.
        }
    }
    DemoMessage* m = NewMessageIn(arena, valid ? id : uint8_t{svc_bad});
    if (!valid) {
        ReportInvalidId(doc, id);
        AbandonFrame(doc);
        status = ReadStatus::kEndBlock;
        return m;
    }
    // Side effects on the document happen only once a message is complete, so a message cut
    // short by the end of the block leaves the state as the last whole message left it.
    status = ReadPayload(in, *m, doc);
    if (in.Overflow()) {
        DestroyMessage(m);
        status = ReadStatus::kTruncated;
        return nullptr;
    }
    return m;
}

size_t WriteMessage(std::vector<uint8_t>& buffer, DemoMessage& m, CTreskDoc& doc) {
    WireWriter out(buffer);
    size_t start = out.Size();
    switch (m.type) {
    case svc_bad:
    case svc_nop:
    case svc_disconnect:
    case svc_reconnect:
    case svc_download:
        break;
    case svc_muzzleflash:
    case svc_muzzleflash2: {
        auto& mf = static_cast<const MuzzleFlashMessage&>(m);
        out.Byte(m.type);
        out.Word(mf.entity);
        out.Byte(mf.weapon);
        break;
    }
    case svc_temp_entity: {
        auto& te = static_cast<const TempEntityMessage&>(m);
        // An effect the game does not know would stop playback there: it is left out.
        if (TempEntityLayout(te.subtype, doc.protocolVersion).fields == nullptr) {
            ShowMessage(kInvalidTempEntityText);
            break;
        }
        out.Byte(m.type);
        out.Byte(te.subtype);
        WriteTempEntityFields(out, te, doc.protocolVersion);
        break;
    }
    case svc_layout:
    case svc_stufftext:
    case svc_centerprint:
        out.Byte(m.type);
        out.String(static_cast<const TextMessage&>(m).text);
        break;
    case svc_print: {
        auto& p = static_cast<const PrintMessage&>(m);
        out.Byte(m.type);
        out.Byte(p.level);
        out.String(p.text);
        break;
    }
    case svc_inventory:
        out.Byte(m.type);
        for (int16_t c : static_cast<const InventoryMessage&>(m).counts) {
            out.Word(static_cast<uint16_t>(c));
        }
        break;
    case svc_sound:
        out.Byte(m.type);
        WriteSound(out, static_cast<const SoundMessage&>(m));
        break;
    case svc_serverdata: {
        auto& sd = static_cast<ServerDataMessage&>(m);
        // An older demo is saved in the newer format: protocol 31, suppress count in frames.
        if (sd.protocol < kProtocolModern) {
            sd.protocol = kProtocolConverted;
        }
        if (doc.protocolVersion < kProtocolModern) {
            doc.protocolVersion = kProtocolConverted;
        }
        out.Byte(m.type);
        out.Dword(static_cast<uint32_t>(doc.protocolVersion));
        out.Dword(sd.server_count);
        out.Byte(sd.attract_loop);
        out.String(sd.game_dir);
        out.Word(static_cast<uint16_t>(doc.playerNumber));
        out.String(sd.level_name);
        break;
    }
    case svc_configstring: {
        auto& cs = static_cast<const ConfigStringMessage&>(m);
        if (!cs.signon) {
            out.Byte(m.type);
            out.Word(cs.index);
            out.String(cs.value);
        }
        break;
    }
    case svc_spawnbaseline:
        out.Byte(m.type);
        WriteBaselineDelta(out, static_cast<const EntityMessage&>(m).state);
        break;
    case svc_packetentities:
    case svc_playerinfo:
        break; // the saver writes a frame's data with the frame
    case svc_frame: {
        auto& f = static_cast<const FrameMessage&>(m);
        out.Byte(m.type);
        out.Dword(static_cast<uint32_t>(f.server_frame));
        out.Dword(static_cast<uint32_t>(f.delta_frame));
        out.Byte(f.suppress_count);
        out.Byte(f.area_bits_length);
        for (int i = 0; i < f.area_bits_length; ++i) {
            out.Byte(f.AreaBit(i));
        }
        break;
    }
    default:
        ShowMessage(InvalidSaveIdText(m.type));
        break;
    }
    return out.Size() - start;
}
