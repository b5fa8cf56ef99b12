#include "cli_document.h"

#include <iostream>

OpenDemo OpenAndDecode(const std::string& path) {
    OpenDemo open;
    open.doc = std::make_unique<CTreskDoc>();
    std::string error;
    if (!open.doc->OnOpenDocument(path, &error)) {
        std::cerr << "tresk-cli: " << error << "\n";
        open.doc.reset();
        return open;
    }
    open.view = std::make_unique<HeadlessView>(*open.doc);
    open.doc->DecodeAll();
    open.doc->firstFrameBlock = open.doc->FindFirstPlayBlock();
    return open;
}
