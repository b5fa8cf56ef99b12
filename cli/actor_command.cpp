// tresk-cli actor: Copy Special of one entity over a run of blocks of a source demo, Paste
// Special at a block of the target, saved as Save does.
#include "commands.h"

#include "cli_document.h"
#include "edit_session.h"
#include "editor/actor_import.h"
#include "editor/special_buffer.h"

#include <charconv>
#include <iostream>

const char* const kActorUsage =
    "usage: tresk-cli actor IN OUT --from SRC --entity N --blocks A-B --at B [--force]";

namespace {

struct ActorArgs {
    std::string in;
    std::string out;
    std::string from;
    int32_t entity = 0;
    bool hasEntity = false;
    uint32_t first = 0;
    uint32_t last = 0;
    uint32_t at = 0;
    bool force = false;
};

bool ParseActorArgs(const std::vector<std::string>& args, ActorArgs& a) {
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--blocks" && hasValue) {
            if (!ParseRange(args[++i], a.first, a.last)) {
                return false;
            }
        } else if (args[i] == "--from" && hasValue) {
            a.from = args[++i];
        } else if (args[i] == "--entity" && hasValue) {
            const std::string& v = args[++i];
            auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), a.entity);
            if (ec != std::errc() || end != v.data() + v.size()) {
                return false;
            }
            a.hasEntity = true;
        } else if (args[i] == "--at" && hasValue) {
            uint32_t unused = 0;
            if (!ParseRange(args[++i], a.at, unused)) {
                return false;
            }
        } else if (args[i] == "--force") {
            a.force = true;
        } else if (!args[i].empty() && args[i][0] == '-') {
            return false;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2 || a.from.empty() || !a.hasEntity || a.first == 0 || a.at == 0) {
        return false;
    }
    a.in = files[0];
    a.out = files[1];
    return true;
}

} // namespace

int RunActor(const std::vector<std::string>& args) {
    ActorArgs a;
    if (!ParseActorArgs(args, a)) {
        std::cerr << kActorUsage << "\n";
        return 2;
    }
    CSpecialBuffer buffer;
    {
        EditSession source;
        if (!source.Open(a.from) || !source.Select(a.first, a.last)) {
            return 1;
        }
        if (CopySpecial(*source.view, buffer, a.entity) < 0) {
            return 1; // the refusal is on standard error
        }
    }
    EditSession target;
    if (!target.Open(a.in) || !target.Select(a.at, a.at)) {
        return 1;
    }
    const int32_t entity = PasteSpecial(*target.view, buffer);
    if (entity == 0 || !MaySave(*target.doc, a.in, a.force)) {
        return 1;
    }
    if (!SaveDemo(*target.doc, a.out)) {
        return 1;
    }
    std::cout << ActorImportedText(entity) << "\n";
    return 0;
}
