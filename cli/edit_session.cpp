#include "edit_session.h"

#include <iostream>

void ConsoleUi::ShowMessage(const std::string& text) {
    std::cerr << "tresk-cli: " << text << "\n";
    refused = true;
    said = true;
}

bool ConsoleUi::Ask(const std::string& text) {
    std::cerr << "tresk-cli: " << text << (yes ? " (yes, --yes given)\n" : " (no: give --yes)\n");
    said = true;
    if (!yes) {
        refused = true;
    }
    return yes;
}

void ConsoleUi::ShowStatus(const std::string& text) {
    std::cerr << "tresk-cli: " << text << "\n";
    said = true;
}

bool EditSession::Open(const std::string& path) {
    doc = std::make_unique<CTreskDoc>();
    std::string error;
    if (!doc->OnOpenDocument(path, &error)) {
        std::cerr << "tresk-cli: " << error << "\n";
        doc.reset();
        return false;
    }
    view = std::make_unique<CTreskView>(*doc, ui, display);
    view->OnInitialUpdate("");
    return true;
}

bool EditSession::Select(uint32_t first, uint32_t last) {
    if (last > doc->blockCount) {
        std::cerr << "tresk-cli: blocks " << first << "-" << last
                  << " are not in the demo, which has " << doc->blockCount << " blocks\n";
        return false;
    }
    doc->UpdateAllViews(nullptr, kHintSelectBlocks, {first, last});
    return view->CurrentBlockNumber() == first && view->SelectionCount() == last - first + 1;
}
