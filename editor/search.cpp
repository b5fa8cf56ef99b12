#include "editor/search.h"

#include "demo/demo_block.h"
#include "demo/demo_message.h"
#include "demo/tresk_doc.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"

#include <algorithm>

const char* const kTextNotFoundText = "Text not found";
const char* const kNoMoreTextForwardsText = "No more TEXT matches found";
const char* const kNoMoreTextBackwardsText = "No more TEXT matches found.";
const char* const kTypeNotFoundText = "No TYPE matches found!";
const char* const kNoMoreTypeForwardsText = "No more TYPE matches found";
const char* const kNoMoreTypeBackwardsText = "No more TYPE matches found.";
const char* const kFindTypePrompt = "Enter message type to FIND";
const char* const kNoModelFoundText = "No result was found.";

namespace {

constexpr const char* kFindTextPrompt = "Enter text:";
constexpr const char* kKeywordPreset = "enter keyword";

// ASCII letters only: the game's texts carry high-bit characters, which stay as they are.
char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualFolded(char a, char b) {
    return FoldAscii(a) == FoldAscii(b);
}

// What a walk tests each message with.
struct Matcher {
    std::string_view needle; // text searches
    int32_t type = kNoSearchType;
    bool text = true;
    bool operator()(const DemoMessage& m) const {
        return text ? TextMatches(m, needle) : TypeMatches(m, type);
    }
};

struct Hit {
    DemoBlock* block = nullptr;
    uint32_t blockNumber = 0;
    uint32_t message = 0;
};

void DecodeIfNeeded(CTreskDoc& doc, DemoBlock* block) {
    if (block != nullptr && !block->decoded) {
        block->Decode(doc, kDecodeWithNeighbours);
    }
}

// The first match after message m0 of the current block, then in every later block up to and
// including the demo's last.
Hit WalkForwards(CTreskView& view, const Matcher& match) {
    CTreskDoc& doc = view.Document();
    const uint32_t m0 = view.CurrentMessageNumber();
    uint32_t b = view.CurrentBlockNumber();
    for (DemoBlock* block = doc.currentBlock; block != nullptr; block = block->next, ++b) {
        DecodeIfNeeded(doc, block);
        uint32_t start = 1;
        if (block == doc.currentBlock) {
            if (m0 >= block->MessageCount()) {
                continue;
            }
            start = m0 + 1u;
        }
        Hit hit;
        VisitMessages(*block, match.text, [&](const DemoMessage& m, uint32_t n) {
            if (n >= start && match(m)) {
                hit = {block, b, n};
                return false;
            }
            return true;
        });
        if (hit.block != nullptr) {
            return hit;
        }
    }
    return {};
}

// The first match before message m0 of the current block, then in every earlier block from its
// last message to its first, down to block 1.
Hit WalkBackwards(CTreskView& view, const Matcher& match) {
    CTreskDoc& doc = view.Document();
    const uint32_t m0 = view.CurrentMessageNumber();
    uint32_t b = view.CurrentBlockNumber();
    for (DemoBlock* block = doc.currentBlock; block != nullptr; block = block->previous, --b) {
        DecodeIfNeeded(doc, block);
        const uint32_t below = block == doc.currentBlock ? m0 : block->MessageCount() + 1u;
        // The last match below `below`: one pass over the singly linked messages.
        Hit last;
        VisitMessages(*block, match.text, [&](const DemoMessage& m, uint32_t n) {
            if (n >= below) {
                return false;
            }
            if (match(m)) {
                last = {block, b, n};
            }
            return true;
        });
        if (last.block != nullptr) {
            return last;
        }
    }
    return {};
}

// Stores the pending edits, walks, and goes to the match. Without one the view stays on its
// message and `notFound` is shown; returns whether there was a match.
bool Search(CTreskView& view, const Matcher& match, bool forwards, const char* notFound) {
    view.ApplyMessagePage();
    const uint16_t m0 = view.CurrentMessageNumber();
    const Hit hit = forwards ? WalkForwards(view, match) : WalkBackwards(view, match);
    if (hit.block == nullptr) {
        view.SetCurrentMessageNumber(m0);
        view.RefreshView();
        view.GetUi().ShowMessage(notFound);
        return false;
    }
    view.Document().currentBlock = hit.block;
    view.SetCurrentBlockNumber(hit.blockNumber);
    view.SetCurrentMessageNumber(static_cast<uint16_t>(std::min<uint32_t>(hit.message, 0xFFFF)));
    view.RefreshView();
    return true;
}

// The text prompt of the text commands; false on Cancel.
bool AskText(CTreskView& view, std::string& text) {
    TextEntryDlgData data;
    data.prompt = kFindTextPrompt;
    if (!view.GetUi().RunTextEntryDlg(data)) {
        return false;
    }
    text = data.text;
    return true;
}

// The type prompt of the type commands; false on Cancel.
bool AskType(CTreskView& view, int32_t& type) {
    MessageTypeDlgData data;
    data.text = kFindTypePrompt;
    if (!view.GetUi().RunMessageTypeDlg(data)) {
        return false;
    }
    type = data.chosenType;
    return true;
}

Matcher TextMatcher(const std::string& needle) {
    Matcher m;
    m.needle = needle;
    return m;
}

Matcher TypeMatcher(int32_t type) {
    Matcher m;
    m.text = false;
    m.type = type;
    return m;
}

} // namespace

// --- the matcher -----------------------------------------------------------------------------

bool TextContains(std::string_view text, std::string_view needle) {
    return std::search(text.begin(), text.end(), needle.begin(), needle.end(), EqualFolded) !=
               text.end() ||
           needle.empty();
}

const std::string* SearchedText(const DemoMessage& m) {
    if (const auto* t = MessageCast<TextMessage>(&m)) {
        return &t->text;
    }
    if (const auto* p = MessageCast<PrintMessage>(&m)) {
        return &p->text;
    }
    if (const auto* cs = MessageCast<ConfigStringMessage>(&m)) {
        return &cs->value;
    }
    return nullptr;
}

bool TextMatches(const DemoMessage& m, std::string_view needle) {
    const std::string* text = SearchedText(m);
    return text != nullptr && TextContains(*text, needle);
}

bool TypeMatches(const DemoMessage& m, int32_t type) {
    return type == kHighTypes ? m.type >= 128 : static_cast<int32_t>(m.type) == type;
}

// --- matching in one block ---------------------------------------------------------------------

namespace {

// `textsOnly`: the test holds only for messages that carry a text.
template <typename Test>
DemoMessage* FindInBlock(const DemoBlock* block, uint32_t& number, bool textsOnly, Test test) {
    const uint32_t start = std::max<uint32_t>(number, 1);
    number = 0;
    if (block == nullptr) {
        return nullptr;
    }
    DemoMessage* found = nullptr;
    VisitMessages(*block, textsOnly, [&](DemoMessage& m, uint32_t n) {
        if (n >= start && test(m)) {
            number = n;
            found = &m;
            return false;
        }
        return true;
    });
    return found;
}

} // namespace

DemoMessage* FindTextInBlock(const DemoBlock* block, std::string_view needle, uint32_t& number) {
    return FindInBlock(block, number, true,
                       [needle](const DemoMessage& m) { return TextMatches(m, needle); });
}

DemoMessage* FindTypeInBlock(CTreskDoc& doc, DemoBlock* block, int32_t type, uint32_t& number) {
    DecodeIfNeeded(doc, block);
    return FindInBlock(block, number, false,
                       [type](const DemoMessage& m) { return TypeMatches(m, type); });
}

// --- every match of a demo ----------------------------------------------------------------------

namespace {

// `textsOnly`: the test holds only for messages that carry a text.
template <typename Test>
std::vector<SearchMatch> ListMatches(CTreskDoc& doc, bool textsOnly, Test test) {
    std::vector<SearchMatch> matches;
    uint32_t b = 1;
    for (DemoBlock* block = doc.FirstBlock(); block != nullptr; block = block->next, ++b) {
        DecodeIfNeeded(doc, block);
        VisitMessages(*block, textsOnly, [&](const DemoMessage& m, uint32_t n) {
            if (test(m)) {
                matches.push_back({b, n, &m});
            }
            return true;
        });
    }
    return matches;
}

} // namespace

std::vector<SearchMatch> ListTextMatches(CTreskDoc& doc, std::string_view needle) {
    return ListMatches(doc, true,
                       [needle](const DemoMessage& m) { return TextMatches(m, needle); });
}

std::vector<SearchMatch> ListTypeMatches(CTreskDoc& doc, int32_t type) {
    return ListMatches(doc, false, [type](const DemoMessage& m) { return TypeMatches(m, type); });
}

// --- the commands ------------------------------------------------------------------------------

void FindText(CTreskView& view) {
    std::string text;
    if (!view.HasCurrentBlock() || !AskText(view, text)) {
        return;
    }
    view.lastSearchText = text;
    if (!Search(view, TextMatcher(view.lastSearchText), true, kTextNotFoundText)) {
        view.lastSearchText.clear();
    }
}

void FindTextForwards(CTreskView& view) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    if (view.lastSearchText.empty() && !AskText(view, view.lastSearchText)) {
        return;
    }
    Search(view, TextMatcher(view.lastSearchText), true, kNoMoreTextForwardsText);
}

void FindTextBackwards(CTreskView& view) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    if (view.lastSearchText.empty() && !AskText(view, view.lastSearchText)) {
        return;
    }
    Search(view, TextMatcher(view.lastSearchText), false, kNoMoreTextBackwardsText);
}

void FindMessageType(CTreskView& view) {
    int32_t type = kNoSearchType;
    if (!view.HasCurrentBlock() || !AskType(view, type)) {
        return;
    }
    view.lastSearchType = type;
    if (!Search(view, TypeMatcher(type), true, kTypeNotFoundText)) {
        view.lastSearchType = kNoSearchType;
    }
}

void FindTypeForwards(CTreskView& view) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    if (view.lastSearchType == kNoSearchType && !AskType(view, view.lastSearchType)) {
        return;
    }
    Search(view, TypeMatcher(view.lastSearchType), true, kNoMoreTypeForwardsText);
}

void FindTypeBackwards(CTreskView& view) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    if (view.lastSearchType == kNoSearchType && !AskType(view, view.lastSearchType)) {
        return;
    }
    Search(view, TypeMatcher(view.lastSearchType), false, kNoMoreTypeBackwardsText);
}

std::string ModelFoundText(int modelIndex, const std::string& name) {
    return "Found a match! ModelIndex " + std::to_string(modelIndex) + ", '" + name + "'.";
}

int FirstSlotContaining(const ConfigStringTable& table, std::string_view keyword) {
    for (int slot = 0; slot < table.Count(); ++slot) {
        const std::string name = table.Entry(slot);
        if (!name.empty() && TextContains(name, keyword)) {
            return slot;
        }
    }
    return -1;
}

ConfigStringTable NamesInDemo(const CTreskDoc& doc, const ConfigStringTable& opening, int base) {
    ConfigStringTable names = opening;
    for (const DemoBlock* block = doc.FirstBlock(); block != nullptr; block = block->next) {
        for (const DemoMessage* m = block->FirstMessage(); m != nullptr; m = m->next) {
            const auto* cs = MessageCast<ConfigStringMessage>(m);
            const int slot = cs != nullptr ? cs->index - base : -1;
            if (slot >= 0 && slot < names.Slots() && names.Entry(slot).empty()) {
                names.Set(slot, cs->value);
            }
        }
    }
    return names;
}

void KeywordSearchModels(CTreskView& view) {
    TextEntryDlgData data;
    data.prompt = kFindTextPrompt;
    data.text = kKeywordPreset;
    if (!view.HasCurrentBlock() || !view.GetUi().RunTextEntryDlg(data)) {
        return;
    }
    const ConfigStringTable models =
        NamesInDemo(view.Document(), view.Document().modelTable, kModelBase);
    const int slot = FirstSlotContaining(models, data.text);
    view.GetUi().ShowMessage(slot >= 0 ? ModelFoundText(slot + 1, models.Entry(slot))
                                       : std::string(kNoModelFoundText));
}
