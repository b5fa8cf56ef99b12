#include "svc.h"

namespace {
const char* const kNames[kLastNamedSvc + 1] = {
    "bad",         "muzzleflash", "muzzleflash2", "temp_entity",    "layout",
    "inventory",   "nop",         "disconnect",   "reconnect",      "sound",
    "print",       "stufftext",   "serverdata",   "configstring",   "spawnbaseline",
    "centerprint", "download",    "playerinfo",   "packetentities", "deltapacketentities",
    "frame",
};
} // namespace

std::string GetMessageName(int id) {
    int low = id & 0xFF;
    if (low <= kLastNamedSvc) {
        return kNames[low];
    }
    return "Unknown Message : " + std::to_string(low);
}
