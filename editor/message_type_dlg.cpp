#include "editor/message_type_dlg.h"

#include "demo/svc.h"

#include <algorithm>

namespace {

char FoldAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return FoldAscii(x) < FoldAscii(y); });
}

} // namespace

const std::vector<MessageTypeEntry>& MessageTypeEntries() {
    static const std::vector<MessageTypeEntry> entries = [] {
        std::vector<MessageTypeEntry> list;
        for (int t = -1; t <= 19; ++t) {
            list.push_back({GetMessageName(t < 0 ? 255 : t), t});
        }
        std::stable_sort(list.begin(), list.end(), [](const auto& a, const auto& b) {
            return LessIgnoringCase(a.name, b.name);
        });
        return list;
    }();
    return entries;
}

int FindMessageTypePrefix(const std::string& text) {
    const auto& entries = MessageTypeEntries();
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string& name = entries[i].name;
        if (name.size() >= text.size() &&
            std::equal(text.begin(), text.end(), name.begin(),
                       [](char a, char b) { return FoldAscii(a) == FoldAscii(b); })) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
