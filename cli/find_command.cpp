#include "commands.h"

#include "edit_session.h"
#include "message_format.h"

#include "demo/svc.h"
#include "editor/search.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <optional>

namespace {

constexpr const char* kFindUsage = "usage: tresk-cli find FILE TEXT [--backwards-from B.M]\n"
                                   "       tresk-cli find FILE --type N\n";

std::optional<uint32_t> Number(std::string_view text) {
    uint32_t v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return v;
}

// "B.M": a block and a message number.
std::optional<SearchMatch> Place(const std::string& text) {
    const size_t dot = text.find('.');
    if (dot == std::string::npos) {
        return std::nullopt;
    }
    const auto block = Number(std::string_view(text).substr(0, dot));
    const auto message = Number(std::string_view(text).substr(dot + 1));
    if (!block || !message) {
        return std::nullopt;
    }
    return SearchMatch{*block, *message, nullptr};
}

// A type as the type searches take it: -1 (every id of 128 or more) or an id 0 to 255.
std::optional<int32_t> Type(const std::string& text) {
    if (text == "-1") {
        return kHighTypes;
    }
    const auto v = Number(text);
    if (!v || *v > 255) {
        return std::nullopt;
    }
    return static_cast<int32_t>(*v);
}

void Print(const SearchMatch& match) {
    std::cout << match.block << "." << match.message << " " << GetMessageName(match.record->type);
    if (const std::string* text = SearchedText(*match.record)) {
        std::cout << " " << Quote(*text);
    }
    std::cout << "\n";
}

} // namespace

int RunFind(const std::vector<std::string>& args) {
    if (args.size() != 2 && args.size() != 3 && args.size() != 4) {
        std::cerr << kFindUsage;
        return 2;
    }
    std::optional<int32_t> type;
    std::optional<SearchMatch> from;
    if (args[1] == "--type") {
        if (args.size() != 3 || !(type = Type(args[2]))) {
            std::cerr << "tresk-cli: the type is -1 (ids of 128 or more) or a number 0 to 255\n"
                      << kFindUsage;
            return 2;
        }
    } else if (args.size() == 4 && args[2] == "--backwards-from") {
        if (!(from = Place(args[3]))) {
            std::cerr << "tresk-cli: \"" << args[3] << "\" is not a place: type BLOCK.MESSAGE\n";
            return 2;
        }
    } else if (args.size() != 2) {
        std::cerr << kFindUsage;
        return 2;
    }
    EditSession session;
    if (!session.Open(args[0])) {
        return 1;
    }
    std::vector<SearchMatch> matches =
        type ? ListTypeMatches(*session.doc, *type) : ListTextMatches(*session.doc, args[1]);
    if (from) {
        // What Search Backwards visits from that message: the earlier matches, nearest first.
        const auto before = [&](const SearchMatch& m) {
            return m.block < from->block || (m.block == from->block && m.message < from->message);
        };
        matches.erase(std::remove_if(matches.begin(), matches.end(),
                                     [&](const SearchMatch& m) { return !before(m); }),
                      matches.end());
        std::reverse(matches.begin(), matches.end());
    }
    for (const SearchMatch& m : matches) {
        Print(m);
    }
    return 0;
}
