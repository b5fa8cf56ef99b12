#include "cli_document.h"

#include <cstdio>
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

bool MaySave(const CTreskDoc& doc, const std::string& path, bool force) {
    if (!doc.unsupportedProtocol) {
        return true;
    }
    std::cerr << "tresk-cli: " << path << " uses protocol " << doc.protocolVersion
              << ", which this editor does not understand; saving it would drop what could not "
                 "be decoded. "
              << (force ? "Saving anyway (--force given).\n"
                        : "Not saved: give --force to save anyway.\n");
    return force;
}

bool SaveDemo(CTreskDoc& doc, const std::string& path) {
    std::string error;
    if (!doc.OnSaveDocument(path, &error)) {
        std::cerr << "tresk-cli: " << error << "\n";
        return false;
    }
    if (std::string text = SaveReportText(doc.lastSave); !text.empty()) {
        std::cerr << "tresk-cli: warning: " << text << "\n";
    }
    return true;
}
