#include "commands.h"

#include "cli_document.h"
#include "message_format.h"

#include <iostream>

int RunDump(const std::vector<std::string>& args) {
    std::string path;
    uint32_t first = 1;
    uint32_t last = 0xFFFFFFFF;
    bool ranged = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--blocks" && i + 1 < args.size()) {
            if (!ParseRange(args[++i], first, last)) {
                std::cerr << "tresk-cli: --blocks takes A-B with 1 <= A <= B\n";
                return 2;
            }
            ranged = true;
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
    // Blocks asked for that are not there are not an empty listing.
    if (ranged && last > doc.blockCount) {
        std::cerr << "tresk-cli: blocks " << first << "-" << last
                  << " are not in the demo, which has " << doc.blockCount << " blocks\n";
        return 1;
    }
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
