// The behaviour of the "Message Type" dialog (179) without its widgets: the list's entries
// and the prefix search the edit drives.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Dialog 179: edit 1103 (the caller's prompt, then what the person types), sorted list 1102.
struct MessageTypeDlgData {
    std::string text;
    int32_t chosenType = -1; // the selected entry's type after OK; -1 with none selected
};

struct MessageTypeEntry {
    std::string name;
    int32_t type; // -1 stands for every id of 128 or more
};

// The 21 entries, one per type from -1 to 19 (frame is not offered), named as the message
// names go (-1 under the name of 255), in the list's alphabetical order, ignoring case.
const std::vector<MessageTypeEntry>& MessageTypeEntries();

// The position of the first entry whose name begins with `text`, ignoring case (ASCII); -1
// when none does, which leaves the list's selection as it was.
int FindMessageTypePrefix(const std::string& text);
