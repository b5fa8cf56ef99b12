// tresk-cli entities: the visible-entities list of one block, after marking and describing
// entities as the list does. The marks and descriptions live in the open document only (a
// demo file has no place for them), so they show in the rows printed and are not saved.
#include "commands.h"

#include "edit_session.h"
#include "preview/visible_entities.h"

#include <charconv>
#include <iostream>

namespace {

struct NoteEdit {
    bool mark = false; // else describe
    uint32_t entity = 0;
    std::string text;
};

bool ParseNumber(const std::string& text, uint32_t& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

int Usage() {
    std::cerr
        << "usage: tresk-cli entities FILE [--block B] [--mark N]... [--describe N TEXT]...\n";
    return 2;
}

} // namespace

int RunEntities(const std::vector<std::string>& args) {
    if (args.empty()) {
        return Usage();
    }
    uint32_t block = 0;
    std::vector<NoteEdit> edits;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--block" && i + 1 < args.size()) {
            if (!ParseNumber(args[++i], block) || block == 0) {
                return Usage();
            }
        } else if (a == "--mark" && i + 1 < args.size()) {
            NoteEdit e{true, 0, {}};
            if (!ParseNumber(args[++i], e.entity)) {
                return Usage();
            }
            edits.push_back(e);
        } else if (a == "--describe" && i + 2 < args.size()) {
            NoteEdit e{false, 0, args[i + 2]};
            if (!ParseNumber(args[i + 1], e.entity)) {
                return Usage();
            }
            i += 2;
            edits.push_back(std::move(e));
        } else {
            return Usage();
        }
    }
    EditSession session;
    if (!session.Open(args[0])) {
        return 1;
    }
    if (block != 0 && !session.Select(block, block)) {
        return 1;
    }
    CTreskDoc& doc = *session.doc;
    if (doc.currentBlock == nullptr) {
        std::cerr << "tresk-cli: the demo has no blocks\n";
        return 1;
    }
    for (const NoteEdit& e : edits) {
        if (NoteOf(doc, e.entity) == nullptr) {
            std::cerr << "tresk-cli: entity " << e.entity << " has no note: numbers go to "
                      << kMaxEntities - 1 << "\n";
            return 1;
        }
        if (e.mark) {
            if (ToggleEntityMark(doc, e.entity, session.view->Place()) == MarkChange::kNone) {
                std::cerr << "tresk-cli: all ten marks are in use: entity " << e.entity
                          << " stays unmarked\n";
                return 1;
            }
        } else {
            SetEntityDescription(doc, e.entity, e.text, session.view->Place());
        }
    }
    std::cout << "block " << doc.NumberOf(doc.currentBlock) << "\n";
    std::cout << "Entity #\tModel #\tFilename\tMark\tDescription\n";
    for (const VisibleEntityRow& row : VisibleEntityRows(doc)) {
        std::cout << row.number << "\t" << static_cast<int>(row.modelIndex) << "\t" << row.modelName
                  << "\t" << (row.Marked() ? std::to_string(row.mark) : std::string("-")) << "\t"
                  << row.description << "\n";
    }
    return 0;
}
