#include "editor/demo_info.h"

#include "demo/demo_block.h"
#include "demo/demo_message.h"
#include "demo/tresk_doc.h"
#include "editor/ui.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <limits>

const char* const kServerVersionHelpText =
    "Server Version:\n26 = 3.05 / 3.06\n27 = 3.07 / 3.08\n28 = 3.09\n31 = 3.12 - 3.14";

namespace {

constexpr std::array<DemoInfoTableLayout, kDemoInfoTables> kLayouts = {{
    {DemoInfoTable::kSounds, 1122, 1116, 1, kTableSlots},
    {DemoInfoTable::kModels, 1121, 1115, 1, kTableSlots},
    {DemoInfoTable::kStatusBar, 1127, 1118, 0, kStatusBarSlots},
    {DemoInfoTable::kImages, 1126, 1117, 0, kTableSlots},
    {DemoInfoTable::kItems, 1129, 1119, 0, kTableSlots},
    {DemoInfoTable::kSkins, 1130, 1128, 0, kTableSlots},
}};

// The document's table behind each of the dialog's tables, in DemoInfoTable order.
constexpr ConfigStringTable CTreskDoc::*kTableFields[kDemoInfoTables] = {
    &CTreskDoc::soundTable, &CTreskDoc::modelTable, &CTreskDoc::statusBarTable,
    &CTreskDoc::imageTable, &CTreskDoc::itemTable,  &CTreskDoc::skinTable,
};

template <class Doc> auto& TableOf(Doc& doc, DemoInfoTable table) {
    return doc.*kTableFields[static_cast<size_t>(table)];
}

// The texts of a table's buttons; null for tables without buttons.
struct ButtonTexts {
    const char* what;      // "model", in the full-table message
    const char* addAsk;    // the warning before Add
    const char* added;     // the confirmation, with the name and the index shown
    const char* deleteAsk; // the question before Del, with the name and the row
};

const ButtonTexts* TextsOf(DemoInfoTable table) {
    static const ButtonTexts kModels{
        "model", "WARNING: You are about to add a .MD2 file.  Make sure it exists!",
        "Successfully added model %s as modelindex %i.",
        "Are you sure you want to delete %s (%i)?  This could disrupt all modelindex numbers!"};
    static const ButtonTexts kSounds{
        "sound",
        "WARNING: You are about to add a new wav file.  Place it into QUAKE2/BASEQ2/SOUND/ "
        "directory, and make sure it exists!  Do you wish to continue?",
        "Successfully added sound %s as modelindex %i.",
        "Are you sure you want to delete %s (%i)?  This could disrupt all soundindex numbers!"};
    static const ButtonTexts kSkins{
        "skin",
        "WARNING: You are about to add a name/skin/model SkinNum definition. Do you wish to "
        "continue?",
        "Successfully added skin %s as modelindex %i.",
        "Are you sure you want to delete %s (%i)?  This could disrupt all skinindex numbers!"};
    switch (table) {
    case DemoInfoTable::kModels:
        return &kModels;
    case DemoInfoTable::kSounds:
        return &kSounds;
    case DemoInfoTable::kSkins:
        return &kSkins;
    default:
        return nullptr;
    }
}

// A text with its "%s" and "%i" filled in, in that order.
std::string Format(const char* pattern, const std::string& name, int number) {
    std::string out = pattern;
    if (size_t at = out.find("%s"); at != std::string::npos) {
        out.replace(at, 2, name);
        if (size_t i = out.find("%i", at + name.size()); i != std::string::npos) {
            out.replace(i, 2, std::to_string(number));
        }
    }
    return out;
}

std::string Cut(const std::string& text, size_t chars) {
    return text.size() > chars ? text.substr(0, chars) : text;
}

// The number a field holds, when it is one within [low, high]: digits with an optional sign,
// spaces around them allowed.
bool ReadNumber(const std::string& text, int64_t low, int64_t high, int64_t* value) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) {
        ++begin;
    }
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) {
        --end;
    }
    if (begin < end && text[begin] == '+') {
        ++begin;
    }
    int64_t v = 0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    auto [ptr, ec] = std::from_chars(first, last, v);
    if (begin == end || ec != std::errc() || ptr != last || v < low || v > high) {
        return false;
    }
    *value = v;
    return true;
}

struct NumberField {
    std::string DemoInfoDlgData::*text;
    int control;
    const char* label;
    int64_t low;
    int64_t high;
};

constexpr NumberField kNumberFields[] = {
    {&DemoInfoDlgData::protocolVersion, IDC_INFO_SERVER_VERSION,
     "Server ver:", std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()},
    {&DemoInfoDlgData::maxClients, IDC_INFO_MAX_PLAYERS, "Max Players:", 0,
     std::numeric_limits<uint16_t>::max()},
    {&DemoInfoDlgData::playerNumber, IDC_INFO_PLAYER_NUMBER, "Invisible Player (Entity # - 1):",
     std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()},
};

// The field's number; the document's value `current` when the text is not a number in range.
int64_t NumberOf(const DemoInfoDlgData& data, const NumberField& field, int64_t current) {
    int64_t value = 0;
    return ReadNumber(data.*field.text, field.low, field.high, &value) ? value : current;
}

// A text field of the dialog, the document value it holds and the width it is saved in.
struct TextField {
    std::string DemoInfoDlgData::*text;
    std::string CTreskDoc::*value;
    size_t chars; // 0: the data's levelNameChars
};

constexpr TextField kTextFields[] = {
    {&DemoInfoDlgData::levelName, &CTreskDoc::levelName, 0},
    {&DemoInfoDlgData::mapName, &CTreskDoc::mapName, kDemoInfoTextChars},
    {&DemoInfoDlgData::mapChecksum, &CTreskDoc::mapChecksum, kDemoInfoTextChars},
    {&DemoInfoDlgData::cdTrack, &CTreskDoc::cdTrack, kCdTrackChars},
    {&DemoInfoDlgData::skyName, &CTreskDoc::skyName, kDemoInfoTextChars},
    {&DemoInfoDlgData::skyRotate, &CTreskDoc::skyRotate, kDemoInfoTextChars},
    {&DemoInfoDlgData::skyAxis, &CTreskDoc::skyAxis, kDemoInfoTextChars},
};

bool TableDiffers(const CTreskDoc& doc, const DemoInfoDlgData& data, DemoInfoTable table) {
    const ConfigStringTable& t = TableOf(doc, table);
    const std::vector<std::string>& names = data.Names(table);
    if (static_cast<int>(names.size()) != t.Count()) {
        return true;
    }
    for (int r = 0; r < t.Count(); ++r) {
        if (names[static_cast<size_t>(r)] != t.EntryChars(r)) {
            return true;
        }
    }
    return false;
}

// The text a field stores: cut to the width it is saved in.
std::string Stored(const DemoInfoDlgData& data, const TextField& f) {
    return Cut(data.*f.text, f.chars != 0 ? f.chars : data.levelNameChars);
}

int32_t ProtocolOf(const CTreskDoc& doc, const DemoInfoDlgData& data) {
    return static_cast<int32_t>(NumberOf(data, kNumberFields[0], doc.protocolVersion));
}
uint16_t MaxClientsOf(const CTreskDoc& doc, const DemoInfoDlgData& data) {
    return static_cast<uint16_t>(NumberOf(data, kNumberFields[1], doc.maxClients));
}
int32_t PlayerNumberOf(const CTreskDoc& doc, const DemoInfoDlgData& data) {
    return static_cast<int32_t>(NumberOf(data, kNumberFields[2], doc.playerNumber));
}

bool FieldsDiffer(const CTreskDoc& doc, const DemoInfoDlgData& data) {
    for (const TextField& f : kTextFields) {
        if (Stored(data, f) != doc.*f.value) {
            return true;
        }
    }
    return ProtocolOf(doc, data) != doc.protocolVersion ||
           MaxClientsOf(doc, data) != doc.maxClients ||
           PlayerNumberOf(doc, data) != doc.playerNumber;
}

ServerDataMessage* FirstServerData(const CTreskDoc& doc) {
    DemoBlock* first = doc.FirstBlock();
    return MessageCast<ServerDataMessage>(first != nullptr ? first->FirstMessage() : nullptr);
}

} // namespace

const std::array<DemoInfoTableLayout, kDemoInfoTables>& DemoInfoTableLayouts() {
    return kLayouts;
}

const DemoInfoTableLayout& LayoutOf(DemoInfoTable table) {
    return kLayouts[static_cast<size_t>(table)];
}

std::string DemoInfoIndexText(DemoInfoTable table, int row) {
    return std::to_string(row + LayoutOf(table).firstIndex);
}

DemoInfoDlgData DemoInfoFromDocument(const CTreskDoc& doc) {
    DemoInfoDlgData data;
    for (const TextField& f : kTextFields) {
        data.*f.text = doc.*f.value;
    }
    data.levelNameChars = std::max(kDemoInfoNameChars, doc.levelName.size());
    data.protocolVersion = std::to_string(doc.protocolVersion);
    data.maxClients = std::to_string(doc.maxClients);
    data.playerNumber = std::to_string(doc.playerNumber);
    for (const DemoInfoTableLayout& layout : kLayouts) {
        const ConfigStringTable& t = TableOf(doc, layout.table);
        std::vector<std::string>& names = data.Names(layout.table);
        names.reserve(static_cast<size_t>(t.Count()));
        for (int r = 0; r < t.Count(); ++r) {
            names.emplace_back(t.EntryChars(r));
        }
    }
    return data;
}

bool AddDemoInfoEntry(DemoInfoDlgData& data, DemoInfoTable table, Ui& ui) {
    const ButtonTexts* texts = TextsOf(table);
    if (texts == nullptr) {
        return false;
    }
    std::vector<std::string>& names = data.Names(table);
    const int slots = LayoutOf(table).slotCount;
    if (static_cast<int>(names.size()) >= slots) {
        ui.ShowMessage(std::string("Can't add a ") + texts->what + ": all " +
                       std::to_string(slots) + " " + texts->what + " slots are in use.");
        return false;
    }
    if (!ui.Ask(texts->addAsk)) {
        return false;
    }
    TextEntryDlgData entry{"Enter text:", ""};
    if (!ui.RunTextEntryDlg(entry)) {
        return false;
    }
    names.push_back(Cut(entry.text, kDemoInfoNameChars));
    const int row = static_cast<int>(names.size()) - 1;
    ui.ShowMessage(Format(texts->added, names.back(), row + LayoutOf(table).firstIndex));
    return true;
}

bool DeleteDemoInfoEntry(DemoInfoDlgData& data, DemoInfoTable table, int row, Ui& ui) {
    const ButtonTexts* texts = TextsOf(table);
    std::vector<std::string>& names = data.Names(table);
    if (texts == nullptr || row < 0 || row >= static_cast<int>(names.size())) {
        return false;
    }
    if (!ui.Ask(Format(texts->deleteAsk, names[static_cast<size_t>(row)], row))) {
        return false;
    }
    names.erase(names.begin() + row);
    return true;
}

bool EditDemoInfoSkin(DemoInfoDlgData& data, int row, Ui& ui) {
    std::vector<std::string>& names = data.Names(DemoInfoTable::kSkins);
    if (row < 0 || row >= static_cast<int>(names.size())) {
        return false;
    }
    ui.ShowMessage("The skin format works like this:  'Player Name/skinname/modeldir'.");
    TextEntryDlgData entry{"Enter text:", names[static_cast<size_t>(row)]};
    if (!ui.RunTextEntryDlg(entry)) {
        return false;
    }
    names[static_cast<size_t>(row)] = Cut(entry.text, kDemoInfoNameChars);
    return true;
}

DemoInfoProblem CheckDemoInfo(const DemoInfoDlgData& data) {
    for (const NumberField& f : kNumberFields) {
        int64_t value = 0;
        if (!ReadNumber(data.*f.text, f.low, f.high, &value)) {
            return {f.control, std::string("Enter a whole number from ") + std::to_string(f.low) +
                                   " to " + std::to_string(f.high) + " for \"" + f.label + "\"."};
        }
    }
    if (data.levelName.size() > data.levelNameChars) {
        return {IDC_INFO_MAP_NAME, "Enter no more than " + std::to_string(data.levelNameChars) +
                                       " characters for \"Map Name:\"."};
    }
    return {};
}

bool DemoInfoChanges(const CTreskDoc& doc, const DemoInfoDlgData& data, DemoInfoScope scope) {
    for (const DemoInfoTableLayout& layout : kLayouts) {
        if (TableDiffers(doc, data, layout.table)) {
            return true;
        }
    }
    return scope == DemoInfoScope::kAll && FieldsDiffer(doc, data);
}

bool DemoInfoChangesServerData(const CTreskDoc& doc, const DemoInfoDlgData& data,
                               DemoInfoScope scope) {
    if (scope != DemoInfoScope::kAll) {
        return false;
    }
    const ServerDataMessage* sd = FirstServerData(doc);
    return sd != nullptr && Cut(data.mapName, kDemoInfoTextChars) != doc.mapName;
}

void WriteDemoInfo(CTreskDoc& doc, const DemoInfoDlgData& data, DemoInfoScope scope) {
    for (const DemoInfoTableLayout& layout : kLayouts) {
        if (!TableDiffers(doc, data, layout.table)) {
            continue;
        }
        // Rebuilt slot by slot in order, as the game fills its configstrings: a long entry
        // runs on into the next slots and the next entry then takes its own slot back.
        ConfigStringTable& t = TableOf(doc, layout.table);
        const std::vector<std::string>& names = data.Names(layout.table);
        t.Clear();
        for (size_t r = 0; r < names.size() && static_cast<int>(r) < t.Slots(); ++r) {
            t.Set(static_cast<int>(r), names[r]);
        }
    }
    if (scope != DemoInfoScope::kAll) {
        return;
    }
    if (DemoInfoChangesServerData(doc, data, scope)) {
        FirstServerData(doc)->level_name = Cut(data.mapName, kDemoInfoTextChars);
    }
    for (const TextField& f : kTextFields) {
        std::string value = Stored(data, f);
        if (value != doc.*f.value) {
            doc.*f.value = std::move(value);
        }
    }
    doc.protocolVersion = ProtocolOf(doc, data);
    doc.maxClients = MaxClientsOf(doc, data);
    doc.playerNumber = PlayerNumberOf(doc, data);
}
