#include "commands.h"

#include "cli_document.h"

#include <iostream>

int RunResave(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    bool force = false;
    for (const std::string& a : args) {
        if (a == "--force") {
            force = true;
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) {
        std::cerr << "usage: tresk-cli resave IN OUT [--force]\n";
        return 2;
    }
    OpenDemo open = OpenAndDecode(files[0]);
    if (!open.doc) {
        return 1;
    }
    if (!MaySave(*open.doc, files[0], force)) {
        return 1;
    }
    DemoBlock* first = open.doc->FirstBlock();
    if (first == nullptr || first->FirstMessage() == nullptr) {
        std::cerr << "tresk-cli: warning: the first block holds no messages, so the saved demo "
                     "has no serverdata\n";
    }
    return SaveDemo(*open.doc, files[1]) ? 0 : 1;
}
