#include "commands.h"

#include "cli_document.h"

#include <iostream>

int RunResave(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::cerr << "usage: tresk-cli resave IN OUT\n";
        return 2;
    }
    OpenDemo open = OpenAndDecode(args[0]);
    if (!open.doc) {
        return 1;
    }
    DemoBlock* first = open.doc->FirstBlock();
    if (first == nullptr || first->FirstMessage() == nullptr) {
        std::cerr << "tresk-cli: warning: the first block holds no messages, so the saved demo "
                     "has no serverdata\n";
    }
    return SaveDemo(*open.doc, args[1]) ? 0 : 1;
}
