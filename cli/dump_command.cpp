#include "commands.h"

#include "cli_document.h"
#include "message_format.h"

#include <cstdio>
#include <iostream>

namespace {

// Parses "A-B" or "A" into a 1-based range.
bool ParseRange(const std::string& text, uint32_t& first, uint32_t& last) {
    unsigned long a = 0;
    unsigned long b = 0;
    char dash = 0;
    char extra = 0;
    int n = std::sscanf(text.c_str(), "%lu%c%lu%c", &a, &dash, &b, &extra);
    if (n == 1) {
        b = a;
    } else if (n != 3 || dash != '-') {
        return false;
    }
    if (a < 1 || b < a || b > 0xFFFFFFFFul) {
        return false;
    }
    first = static_cast<uint32_t>(a);
    last = static_cast<uint32_t>(b);
    return true;
}

} // namespace

int RunDump(const std::vector<std::string>& args) {
    std::string path;
    uint32_t first = 1;
    uint32_t last = 0xFFFFFFFF;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--blocks" && i + 1 < args.size()) {
            if (!ParseRange(args[++i], first, last)) {
                std::cerr << "tresk-cli: --blocks takes A-B with 1 <= A <= B\n";
                return 2;
            }
        } else if (path.empty()) {
            path = args[i];
        } else {
            path.clear();
            break;
        }
    }
    if (path.empty()) {
        std::cerr << "usage: tresk-cli dump FILE [--blocks A-B]\n";
        return 2;
    }
    OpenDemo open = OpenAndDecode(path);
    if (!open.doc) {
        return 1;
    }
    const CTreskDoc& doc = *open.doc;
    uint32_t number = 1;
    for (DemoBlock* b = doc.FirstBlock(); b != nullptr && number <= last; b = b->next, ++number) {
        if (number < first) {
            continue;
        }
        uint32_t index = 1;
        for (DemoMessage* m = b->FirstMessage(); m != nullptr; m = m->next, ++index) {
            std::cout << number << "." << index << " " << GetMessageName(m->type) << " "
                      << DescribeMessage(*m, doc) << "\n";
        }
    }
    return 0;
}
