#include "signon_routing.h"

#include "tresk_doc.h"

#include <cstdlib>

namespace {

struct TableRange {
    int base;
    int last;
    ConfigStringTable CTreskDoc::*table;
};

constexpr TableRange kTables[] = {
    {CS_STATUSBAR, CS_STATUSBAR + kStatusBarSlots - 1, &CTreskDoc::statusBarTable},
    {kModelBase, kSoundBase - 1, &CTreskDoc::modelTable},
    {kSoundBase, kImageBase - 1, &CTreskDoc::soundTable},
    {kImageBase, CS_LIGHTS - 1, &CTreskDoc::imageTable},
    {kItemBase, kSkinBase - 1, &CTreskDoc::itemTable},
    {kSkinBase, CS_GENERAL - 1, &CTreskDoc::skinTable},
};

uint16_t LeadingNumber(const std::string& value) {
    return static_cast<uint16_t>(std::atoi(value.c_str()));
}

} // namespace

bool RouteSignonConfigString(CTreskDoc& doc, int index, const std::string& value) {
    switch (index) {
    case CS_NAME:
        doc.levelName = value;
        return true;
    case CS_CDTRACK:
        doc.cdTrack = value.substr(0, kCdTrackChars);
        return true;
    case CS_SKY:
        doc.skyName = value;
        return true;
    case CS_SKYAXIS:
        doc.skyAxis = value;
        return true;
    case CS_SKYROTATE:
        doc.skyRotate = value;
        return true;
    case CS_MAXCLIENTS:
        doc.maxClients = LeadingNumber(value);
        return true;
    case CS_MAPCHECKSUM:
        doc.mapChecksum = value;
        return true;
    default:
        break;
    }
    if (index == CS_STATUSBAR) {
        // The status bar program's leading number, normally 0, until configstring 30 comes.
        doc.maxClients = LeadingNumber(value);
    }
    for (const TableRange& range : kTables) {
        if (index >= range.base && index <= range.last) {
            (doc.*range.table).Set(index - range.base, value);
            return true;
        }
    }
    return false;
}

std::string SignonConfigString(const CTreskDoc& doc, int index) {
    switch (index) {
    case CS_NAME:
        return doc.levelName;
    case CS_CDTRACK:
        return doc.cdTrack;
    case CS_SKY:
        return doc.skyName;
    case CS_SKYAXIS:
        return doc.skyAxis;
    case CS_SKYROTATE:
        return doc.skyRotate;
    case CS_MAXCLIENTS:
        return std::to_string(doc.maxClients);
    case CS_MAPCHECKSUM:
        return doc.mapChecksum;
    default:
        break;
    }
    for (const TableRange& range : kTables) {
        if (index >= range.base && index <= range.last) {
            const ConfigStringTable& table = doc.*range.table;
            return index - range.base < table.Count() ? table.Entry(index - range.base) : "";
        }
    }
    return {};
}

void RouteEditedSignonConfigString(CTreskDoc& doc, ConfigStringMessage& record, int oldIndex) {
    if (record.index != oldIndex) {
        RouteSignonConfigString(doc, oldIndex, std::string());
    }
    record.signon = RouteSignonConfigString(doc, record.index, record.value);
}
