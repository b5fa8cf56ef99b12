// Server message ids of the game's network protocol, as they stand in a demo block.
#pragma once

#include <cstdint>
#include <string>

enum SvcId : uint8_t {
    svc_bad = 0,
    svc_muzzleflash = 1,
    svc_muzzleflash2 = 2,
    svc_temp_entity = 3,
    svc_layout = 4,
    svc_inventory = 5,
    svc_nop = 6,
    svc_disconnect = 7,
    svc_reconnect = 8,
    svc_sound = 9,
    svc_print = 10,
    svc_stufftext = 11,
    svc_serverdata = 12,
    svc_configstring = 13,
    svc_spawnbaseline = 14,
    svc_centerprint = 15,
    svc_download = 16,
    svc_playerinfo = 17,
    svc_packetentities = 18,
    svc_deltapacketentities = 19,
    svc_frame = 20,
};

// Highest id with a name of its own.
constexpr int kLastNamedSvc = svc_frame;

// The name of a message id ("frame", "sound", ...); ids above 20 give
// "Unknown Message : <id>". Only the low byte of the id counts.
std::string GetMessageName(int id);

// Protocol versions the editor knows by name.
constexpr int kProtocolOldest = 26;      // game versions 3.05 and 3.06
constexpr int kProtocolModern = 30;      // from here on every frame carries a suppress count
constexpr int kProtocolConverted = 31;   // what an older demo is saved as
constexpr int kProtocolNewTempEnts = 32; // temp entities 26 and 27 swapped meaning here
constexpr int kProtocolCurrent = 34;     // game version 3.19 and later
