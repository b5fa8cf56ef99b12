#include "configstring_table.h"

#include <algorithm>
#include <cstring>

namespace {
// The longest value the wire carries (2047 characters and its NUL).
constexpr size_t kRunOnRoom = 2048;
} // namespace

ConfigStringTable::ConfigStringTable(int slots)
    : slots_(slots), chars_(static_cast<size_t>(slots) * kConfigStringSlotChars + kRunOnRoom, 0) {}

void ConfigStringTable::SetCount(int count) {
    count_ = std::clamp(count, 0, slots_);
}

void ConfigStringTable::Set(int slot, const std::string& value) {
    if (slot < 0 || slot >= slots_) {
        return;
    }
    size_t at = static_cast<size_t>(slot) * kConfigStringSlotChars;
    size_t room = chars_.size() - at - 1;
    size_t len = std::min({std::strlen(value.c_str()), room});
    std::memcpy(chars_.data() + at, value.data(), len);
    chars_[at + len] = '\0';
    count_ = std::max(count_, slot + 1);
}

const char* ConfigStringTable::EntryChars(int slot) const {
    if (slot < 0 || slot >= slots_) {
        return "";
    }
    return chars_.data() + static_cast<size_t>(slot) * kConfigStringSlotChars;
}

std::string ConfigStringTable::Entry(int slot) const {
    return EntryChars(slot);
}

void ConfigStringTable::Clear() {
    std::fill(chars_.begin(), chars_.end(), '\0');
    count_ = 0;
}
