// "Demo Info" (dialog 171): the demo-wide values the document keeps apart from its blocks, as
// the dialog shows and edits them. The fields and the six precache lists are filled from the
// document, changed by the dialog's Add, Del and Edit buttons, and written back in one step;
// the Qt dialog and the tests share these functions.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class CTreskDoc;
class Ui;

// Controls of the dialog; every numbered control carries its id as its object name.
enum DemoInfoControl : int {
    IDD_DEMO_INFO = 171,
    IDC_INFO_MAP_NAME = 1083,       // "Map Name:"
    IDC_INFO_LEVEL_NAME = 1085,     // "Level Name:"
    IDC_INFO_CHECKSUM = 1160,       // "Checksum:"
    IDC_INFO_CD_TRACK = 1011,       // "CD Track:"
    IDC_INFO_SERVER_VERSION = 1161, // "Server ver:"
    IDC_INFO_MAX_PLAYERS = 1012,    // "Max Players:"
    IDC_INFO_PLAYER_NUMBER = 1218,  // "Invisible Player (Entity # - 1):"
    IDC_INFO_SKY_NAME = 1084,       // "Texture Name:"
    IDC_INFO_SKY_ROTATE = 1081,     // "Rotational Speed:"
    IDC_INFO_SKY_AXIS = 1080,       // "Axis (x y z):"
    IDC_INFO_ADD_MODEL = 1120,
    IDC_INFO_DEL_MODEL = 1123,
    IDC_INFO_ADD_SOUND = 1124,
    IDC_INFO_DEL_SOUND = 1125,
    IDC_INFO_ADD_SKIN = 1131,
    IDC_INFO_DEL_SKIN = 1132,
    IDC_INFO_EDIT_SKIN = 1220,
};

// The six precache tables, in the order the dialog fills them.
enum class DemoInfoTable : int { kSounds, kModels, kStatusBar, kImages, kItems, kSkins };
constexpr int kDemoInfoTables = 6;

// How a table appears in the dialog.
struct DemoInfoTableLayout {
    DemoInfoTable table;
    int indexListId;
    int nameListId;
    int firstIndex; // the index shown for row 0: 1 for models and sounds, 0 for the others
    int slotCount;  // 256, or 25 for the status bar lines
};
const DemoInfoTableLayout& LayoutOf(DemoInfoTable table);
const std::array<DemoInfoTableLayout, kDemoInfoTables>& DemoInfoTableLayouts();

// The longest name a table slot holds (64 characters with the terminating zero).
constexpr size_t kDemoInfoNameChars = 63;
// The longest text of the document's other text fields (2048 with the terminating zero),
// which is also the longest string the game reads.
constexpr size_t kDemoInfoTextChars = 2047;

// What the dialog shows. The fields are named after the document values they hold; the
// numbers are kept as typed, so that a wrong one can be named before anything is stored.
struct DemoInfoDlgData {
    std::string levelName;       // "Map Name:" 1083: configstring 0, at most 63 characters
    std::string mapName;         // "Level Name:" 1085: the serverdata's level name
    std::string mapChecksum;     // "Checksum:" 1160: configstring 31
    std::string cdTrack;         // "CD Track:" 1011: configstring 1
    std::string protocolVersion; // "Server ver:" 1161: a 32-bit signed number
    std::string maxClients;      // "Max Players:" 1012: configstring 30, 0 to 65535
    std::string playerNumber;    // 1218: the serverdata's 16-bit player number
    std::string skyName;         // "Texture Name:" 1084: configstring 2
    std::string skyRotate;       // "Rotational Speed:" 1081: configstring 4
    std::string skyAxis;         // "Axis (x y z):" 1080: configstring 3
    // The longest map name the field takes: 63 characters, or the length of a longer one the
    // demo already holds, which OK without changes keeps as it is.
    size_t levelNameChars = kDemoInfoNameChars;
    // Row r of a table's name list is slot r; a table holds as many entries as its list.
    std::array<std::vector<std::string>, kDemoInfoTables> tables;

    std::vector<std::string>& Names(DemoInfoTable t) { return tables[static_cast<size_t>(t)]; }
    const std::vector<std::string>& Names(DemoInfoTable t) const {
        return tables[static_cast<size_t>(t)];
    }
};

// The dialog filled from the document.
DemoInfoDlgData DemoInfoFromDocument(const CTreskDoc& doc);

// The index list's text of a row ("%i": row + 1 for models and sounds, row for the others).
std::string DemoInfoIndexText(DemoInfoTable table, int row);

// The static text beside "Server ver:".
extern const char* const kServerVersionHelpText;

// --- the list buttons -------------------------------------------------------------------
// Each asks and tells through the Ui as the dialog's button does and returns true when the
// list changed. Only models, sounds and skins have buttons; the others are refused.

// Add: asks with the table's warning, takes a name from the text entry dialog (cut to 63
// characters), appends it as the new last slot and confirms with its index. A table that
// holds all its slots already says so and changes nothing.
bool AddDemoInfoEntry(DemoInfoDlgData& data, DemoInfoTable table, Ui& ui);
// Del of the row selected in the name list: asks with its name and row, then moves every
// later slot down by one. No row selected (-1) or a row outside the list: nothing happens.
bool DeleteDemoInfoEntry(DemoInfoDlgData& data, DemoInfoTable table, int row, Ui& ui);
// Edit of the selected skin row: explains the skin format, then replaces the row with the
// text entered (cut to 63 characters). No row selected: nothing happens.
bool EditDemoInfoSkin(DemoInfoDlgData& data, int row, Ui& ui);

// --- OK ---------------------------------------------------------------------------------
// What is wrong with the fields, for the dialog to show before it closes: a number that is
// not one or out of the range its field is saved in, or a map name over 63 characters (or
// over the longer one the demo held). The
// control names the field; 0 and an empty text when every field is right.
struct DemoInfoProblem {
    int control = 0;
    std::string text;
};
DemoInfoProblem CheckDemoInfo(const DemoInfoDlgData& data);

// Which part of the dialog reaches the document: the lists alone (Cancel keeps the list
// changes, which the dialog makes at once), or the ten fields too (OK).
enum class DemoInfoScope { kTables, kAll };

// Whether writing the dialog would change the document.
bool DemoInfoChanges(const CTreskDoc& doc, const DemoInfoDlgData& data, DemoInfoScope scope);
// Whether it would change the serverdata's level name, which block 1's serverdata carries
// into the saved demo.
bool DemoInfoChangesServerData(const CTreskDoc& doc, const DemoInfoDlgData& data,
                               DemoInfoScope scope);
// Writes the dialog into the document: the lists into the tables whose entries differ, and
// for kAll the fields (which CheckDemoInfo has passed), texts cut to the width they are saved
// in (levelNameChars for the map name, 31 for the CD track, 2047 for the others). A changed
// level name also goes into block 1's serverdata record. Values already equal are left alone,
// so a table whose long entries run on into the next slots stays as it was.
void WriteDemoInfo(CTreskDoc& doc, const DemoInfoDlgData& data, DemoInfoScope scope);
