// The search commands of the editor view: texts that were printed, stuffed, centre-printed,
// laid out or set as configstrings, and messages of a type, forwards and backwards from the
// current message, with their repeats; and the look-up of a model by name.
//
// One matcher serves every text search of the editor (these commands, the search report and
// the removal by keyword): it ignores case in both directions by folding ASCII letters only,
// so the game's high-bit characters are compared as they are, and it never changes the text
// the person typed.
#pragma once

#include "demo/configstring_table.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CTreskDoc;
class CTreskView;
class DemoBlock;
struct DemoMessage;

// Not-found texts of the commands.
extern const char* const kTextNotFoundText;        // Find Text
extern const char* const kNoMoreTextForwardsText;  // F3
extern const char* const kNoMoreTextBackwardsText; // Shift+F3
extern const char* const kTypeNotFoundText;        // Find Message Type
extern const char* const kNoMoreTypeForwardsText;  // F4
extern const char* const kNoMoreTypeBackwardsText; // Shift+F4
extern const char* const kFindTypePrompt;          // the message type dialog's prompt
extern const char* const kNoModelFoundText;        // Keyword Search Models

// Last search type meaning "no type search yet", and the type that stands for every id of
// 128 or more.
constexpr int32_t kNoSearchType = -2;
constexpr int32_t kHighTypes = -1;

// --- the matcher -------------------------------------------------------------------------
// True when `text` holds `needle`, ignoring the case of ASCII letters. An empty needle is in
// every text.
bool TextContains(std::string_view text, std::string_view needle);
// The searched text of a message: layout, stufftext and centerprint text, print text (after
// its level), configstring value (after its index). Null for every other type.
const std::string* SearchedText(const DemoMessage& m);
// The message is of a searched type and its text holds the needle (case ignored).
bool TextMatches(const DemoMessage& m, std::string_view needle);
// The message's id equals `type`, or, for kHighTypes, is 128 or more.
bool TypeMatches(const DemoMessage& m, int32_t type);

// --- matching in one block ------------------------------------------------------------------
// From message `number` (the first when number < 2) on, the first message whose text holds
// the needle; `number` becomes its position, or 0 without one.
DemoMessage* FindTextInBlock(const DemoBlock* block, std::string_view needle, uint32_t& number);
// The same for a message type; decodes the block first when it is not decoded yet.
DemoMessage* FindTypeInBlock(CTreskDoc& doc, DemoBlock* block, int32_t type, uint32_t& number);

// --- every match of a demo ------------------------------------------------------------------
struct SearchMatch {
    uint32_t block = 0;
    uint32_t message = 0;
    const DemoMessage* record = nullptr;
};
// Every message of the demo whose text holds the needle (TextMatches), in block and message
// order from block 1 through the last block; undecoded blocks are decoded first. Like the text
// commands, it passes blocks without a message that carries a text and reads a block's records
// only up to its last such message (the block counts them as they are linked and unlinked).
std::vector<SearchMatch> ListTextMatches(CTreskDoc& doc, std::string_view needle);
// The same for a message type (TypeMatches).
std::vector<SearchMatch> ListTypeMatches(CTreskDoc& doc, int32_t type);

// --- the commands -------------------------------------------------------------------------
// Each does nothing without a current block; Cancel in a prompt ends it without change. A
// match becomes the current block and message; without one the view stays where it was and
// the command's not-found text is shown. The searches reach the demo's last block.
void FindText(CTreskView& view);          // 32772 Ctrl+F: prompts; not found empties the text
void FindTextForwards(CTreskView& view);  // 32821 F3: prompts when there is no text yet
void FindTextBackwards(CTreskView& view); // 32829 Shift+F3
void FindMessageType(CTreskView& view);   // 32826 Ctrl+G: not found resets the type
void FindTypeForwards(CTreskView& view);  // 32824 F4: prompts when there is no type yet
void FindTypeBackwards(CTreskView& view); // 32830 Shift+F4
// 32841: the first model of the document's model table whose name holds the keyword (preset
// "enter keyword"; the one matcher, case ignored), by model index (table slot + 1), shown in a
// message.
void KeywordSearchModels(CTreskView& view);
// The first slot of a name table whose name holds the keyword (the one matcher); -1 without.
int FirstSlotContaining(const ConfigStringTable& table, std::string_view keyword);
// A name table (models from base kModelBase, sounds from kSoundBase) as the whole demo names
// it: the opening table, and for each index it leaves empty the first name a configstring
// during play gives it. The game names what it precaches late that way, such as sounds first
// heard in play, and the keyword commands must find those too.
ConfigStringTable NamesInDemo(const CTreskDoc& doc, const ConfigStringTable& opening, int base);
// The message Keyword Search Models shows for a match.
std::string ModelFoundText(int modelIndex, const std::string& name);
