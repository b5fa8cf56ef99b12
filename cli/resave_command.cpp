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
    // What the codec could not read is not saved: such a save loses part of the demo.
    if (open.doc->unsupportedProtocol) {
        std::cerr << "tresk-cli: " << files[0] << " uses protocol " << open.doc->protocolVersion
                  << ", which this editor does not understand; saving it would drop what could "
                     "not be decoded. "
                  << (force ? "Saving anyway (--force given).\n"
                            : "Not saved: give --force to save anyway.\n");
        if (!force) {
            return 1;
        }
    }
    DemoBlock* first = open.doc->FirstBlock();
    if (first == nullptr || first->FirstMessage() == nullptr) {
        std::cerr << "tresk-cli: warning: the first block holds no messages, so the saved demo "
                     "has no serverdata\n";
    }
    return SaveDemo(*open.doc, files[1]) ? 0 : 1;
}
