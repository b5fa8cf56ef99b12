#include "commands.h"

#include "cli_document.h"

#include "editor/demo_info.h"

#include <cstdio>
#include <iostream>
#include <map>

namespace {

const char* TableTitle(DemoInfoTable table) {
    switch (table) {
    case DemoInfoTable::kSounds:
        return "sounds";
    case DemoInfoTable::kModels:
        return "models";
    case DemoInfoTable::kStatusBar:
        return "status bar";
    case DemoInfoTable::kImages:
        return "images";
    case DemoInfoTable::kItems:
        return "items";
    case DemoInfoTable::kSkins:
        break;
    }
    return "skins";
}

// The precache tables as the Demo Info dialog lists them: in its order, each row as its
// index and its name.
void PrintTables(const CTreskDoc& doc) {
    const DemoInfoDlgData data = DemoInfoFromDocument(doc);
    for (const DemoInfoTableLayout& layout : DemoInfoTableLayouts()) {
        const std::vector<std::string>& names = data.Names(layout.table);
        std::cout << TableTitle(layout.table) << " (" << names.size() << "):\n";
        for (size_t r = 0; r < names.size(); ++r) {
            std::cout << "  " << DemoInfoIndexText(layout.table, static_cast<int>(r)) << ": "
                      << names[r] << "\n";
        }
    }
}

} // namespace

int RunInfo(const std::vector<std::string>& args) {
    const bool tables = args.size() == 2 && args[1] == "--tables";
    if (args.size() != 1 && !tables) {
        std::cerr << "usage: tresk-cli info FILE [--tables]\n";
        return 2;
    }
    OpenDemo open = OpenAndDecode(args[0]);
    if (!open.doc) {
        return 1;
    }
    const CTreskDoc& doc = *open.doc;
    std::map<int, uint64_t> counts;
    uint64_t frames = 0;
    for (DemoBlock* b = doc.FirstBlock(); b != nullptr; b = b->next) {
        for (DemoMessage* m = b->FirstMessage(); m != nullptr; m = m->next) {
            ++counts[m->type];
            frames += m->type == svc_frame;
        }
    }
    std::string gameDir;
    DemoBlock* first = doc.FirstBlock();
    if (auto* sd = MessageCast<ServerDataMessage>(first ? first->FirstMessage() : nullptr)) {
        gameDir = sd->game_dir;
    }
    std::cout << "file:              " << args[0] << "\n"
              << "protocol:          " << doc.protocolVersion << "\n"
              << "game directory:    " << (gameDir.empty() ? "(baseq2)" : gameDir) << "\n"
              << "level name:        " << doc.levelName << "\n"
              << "map:               " << doc.modelTable.Entry(0) << "\n"
              << "blocks:            " << doc.blockCount << "\n"
              << "first block of play: ";
    if (doc.firstFrameBlock != 0) {
        std::cout << doc.firstFrameBlock << "\n";
    } else {
        std::cout << "none\n";
    }
    char length[32];
    std::snprintf(length, sizeof length, "%.1f", static_cast<double>(frames) / 10.0);
    std::cout << "length:            " << length << " s (" << frames << " frames)\n"
              << "player number:     " << doc.playerNumber << "\n"
              << "max clients:       " << doc.maxClients << "\n"
              << "players:\n";
    for (int p = 0; p < doc.skinTable.Count(); ++p) {
        std::string skin = doc.skinTable.Entry(p);
        if (!skin.empty()) {
            std::cout << "  " << p << ": " << skin << "\n";
        }
    }
    std::cout << "messages:\n";
    for (auto [type, n] : counts) {
        std::cout << "  " << GetMessageName(type) << ": " << n << "\n";
    }
    if (tables) {
        PrintTables(doc);
    }
    return 0;
}
