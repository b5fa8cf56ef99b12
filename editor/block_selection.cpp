#include "editor/block_selection.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

int32_t Clamped(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

int32_t DialogTextToInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    const char* first = text.data() + i;
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') {
        ++first;
    }
    int32_t value = 0;
    auto result = std::from_chars(first, last, value);
    return result.ec == std::errc() ? value : 0;
}

void PresetBlockSelection(BlockSelectionDlgData& data, uint32_t first, uint32_t count) {
    data.first = static_cast<int32_t>(first);
    data.lastText = std::to_string(static_cast<uint64_t>(first) + count - 1);
    data.countText = std::to_string(count);
    data.last = 0;
    data.count = 0;
}

void ReadBlockSelectionTexts(BlockSelectionDlgData& data) {
    data.last = DialogTextToInt(data.lastText);
    data.count = DialogTextToInt(data.countText);
}

void OnBlockSelectionLastChanged(BlockSelectionDlgData& data) {
    int64_t t = DialogTextToInt(data.lastText);
    if (t == 0) {
        return;
    }
    int64_t count = t >= data.first ? t - data.first + 1 : t - data.first - 1;
    data.last = static_cast<int32_t>(t);
    data.count = Clamped(count);
    data.countText = std::to_string(data.count);
}

void OnBlockSelectionCountChanged(BlockSelectionDlgData& data) {
    int64_t c = DialogTextToInt(data.countText);
    if (c == 0) {
        return;
    }
    int64_t last = c > 0 ? data.first + c - 1 : data.first + c + 1;
    data.count = static_cast<int32_t>(c);
    data.last = Clamped(last);
    data.lastText = std::to_string(data.last);
}
