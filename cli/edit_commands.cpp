// The block edits of the editor on the command line: each opens the demo with an editor
// view, selects the blocks, runs the view's own command and saves as Save does.
#include "commands.h"

#include "cli_document.h"
#include "edit_session.h"
#include "editor/block_buffer.h"
#include "editor/command_ids.h"

#include <iostream>

namespace {

struct EditArgs {
    std::string in;
    std::string out;
    std::string from;
    uint32_t first = 0;
    uint32_t last = 0;
    uint32_t after = 0;
    bool hasAfter = false;
    bool yes = false;
    bool force = false;
};

bool ParseEditArgs(const std::vector<std::string>& args, bool paste, EditArgs& a) {
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--blocks" && i + 1 < args.size()) {
            if (!ParseRange(args[++i], a.first, a.last)) {
                return false;
            }
        } else if (paste && args[i] == "--from" && i + 1 < args.size()) {
            a.from = args[++i];
        } else if (paste && args[i] == "--after" && i + 1 < args.size()) {
            uint32_t unused = 0;
            if (!ParseRange(args[++i], a.after, unused)) {
                return false;
            }
            a.hasAfter = true;
        } else if (args[i] == "--yes") {
            a.yes = true;
        } else if (args[i] == "--force") {
            a.force = true;
        } else if (!args[i].empty() && args[i][0] == '-') {
            return false;
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 2 || a.first == 0 || (paste && (a.from.empty() || !a.hasAfter))) {
        return false;
    }
    a.in = files[0];
    a.out = files[1];
    return true;
}

// Runs one of the view's commands on the selected blocks and saves.
int RunBlockEdit(const std::vector<std::string>& args, const char* usage, int command) {
    EditArgs a;
    if (!ParseEditArgs(args, false, a)) {
        std::cerr << "usage: tresk-cli " << usage << "\n";
        return 2;
    }
    EditSession session;
    session.ui.yes = a.yes;
    CBlockBuffer buffer;
    if (!session.Open(a.in) || !session.Select(a.first, a.last)) {
        return 1;
    }
    session.view->blockBuffer = &buffer;
    session.view->OnCommand(command);
    if (session.ui.refused || !MaySave(*session.doc, a.in, a.force)) {
        return 1;
    }
    return SaveDemo(*session.doc, a.out) ? 0 : 1;
}

} // namespace

int RunCut(const std::vector<std::string>& args) {
    return RunBlockEdit(args, "cut IN OUT --blocks A-B [--force]", ID_EDIT_CUT);
}

int RunDelete(const std::vector<std::string>& args) {
    return RunBlockEdit(args, "delete IN OUT --blocks A-B [--yes] [--force]",
                        ID_EDIT_DELETE_BLOCKS);
}

int RunReverse(const std::vector<std::string>& args) {
    return RunBlockEdit(args, "reverse IN OUT --blocks A-B [--force]", ID_SEL_REVERSE);
}

int RunPaste(const std::vector<std::string>& args) {
    EditArgs a;
    if (!ParseEditArgs(args, true, a)) {
        std::cerr << "usage: tresk-cli paste IN OUT --from SRC --blocks A-B --after N [--force]\n";
        return 2;
    }
    CBlockBuffer buffer;
    EditSession source;
    if (!source.Open(a.from) || !source.Select(a.first, a.last)) {
        return 1;
    }
    source.view->blockBuffer = &buffer;
    source.view->OnCommand(ID_EDIT_COPY);
    EditSession target;
    target.ui.yes = a.yes;
    if (!target.Open(a.in) || !target.Select(a.after, a.after)) {
        return 1;
    }
    target.view->blockBuffer = &buffer;
    target.view->OnCommand(ID_EDIT_PASTE);
    if (source.ui.refused || target.ui.refused || !MaySave(*target.doc, a.in, a.force)) {
        return 1;
    }
    return SaveDemo(*target.doc, a.out) ? 0 : 1;
}
