#include "dispatch.h"

#include "commands.h"
#include "pak_command.h"

#include <algorithm>
#include <iostream>

namespace {

int (*g_render)(const std::vector<std::string>&) = nullptr;
const char* g_renderUsage = nullptr;

struct Subcommand {
    const char* name;
    const char* synopsis; // the arguments, after the name
    const char* what;
    int (*run)(const std::vector<std::string>&);
};

constexpr Subcommand kSubcommands[] = {
    {"info", "FILE [--tables]",
     "protocol, map, blocks, players, message counts, length; --tables adds the precache "
     "tables as Demo Info lists them",
     RunInfo},
    {"dump", "FILE [--blocks A-B]", "one line per message with every field", RunDump},
    {"resave", "IN OUT [--force]",
     "save as the editor does; --force saves even a protocol it does not understand", RunResave},
    {"check", "FILE", "decode everything and list what the game would refuse or misplay", RunCheck},
    {"cut", "IN OUT --blocks A-B [--force]", "cut blocks A to B, as Cut does, and save", RunCut},
    {"delete", "IN OUT --blocks A-B [--yes] [--force]",
     "delete blocks A to B (--yes agrees to losing opening blocks)", RunDelete},
    {"reverse", "IN OUT --blocks A-B [--force]", "reverse the order of blocks A to B", RunReverse},
    {"paste", "IN OUT --from SRC --blocks A-B --after N [--force]",
     "copy blocks A to B of SRC and paste them after block N", RunPaste},
    {"film", "IN OUT --blocks A-B ACTION",
     "one camera or film effect over blocks A to B (film --help lists them)", RunFilm},
    {"actor", "IN OUT --from SRC --entity N --blocks A-B --at B [--force]",
     "Copy Special of entity N over blocks A to B of SRC, Paste Special at block B, and save; "
     "prints the entity number the actor took",
     RunActor},
    {"time", "FILE mm:ss.t", "the block of the frame shown at a time of play (Jump to Time Index)",
     RunTime},
    {"find", "FILE TEXT [--backwards-from B.M] | FILE --type N",
     "every message holding TEXT (case ignored) or of type N, as block.message type text; "
     "--backwards-from lists those before B.M, nearest first, as Search Backwards visits them",
     RunFind},
    {"entities", "FILE [--block B] [--mark N]... [--describe N TEXT]...",
     "the entities of block B (default: the first block of play) as the Visible Entities list "
     "shows them, after toggling marks and giving descriptions in the order given (kept in the "
     "open demo only: a demo file has no place for them)",
     RunEntities},
};

std::string Overview() {
    std::string text = "usage: tresk-cli COMMAND [ARGS]\n"
                       "       tresk-cli COMMAND --help\n"
                       "       tresk-cli --version\n"
                       "\n"
                       "commands:\n";
    for (const Subcommand& c : kSubcommands) {
        text.append("  ").append(c.name).append(" ").append(c.synopsis).append("\n");
        text.append("      ").append(c.what).append("\n");
    }
    text.append("  pak list|extract ...\n      list or extract the files of a pak "
                "archive\n");
    if (g_render != nullptr) {
        text.append("  render IN OUT --blocks A-B [--size WxH] [--fps N] [--pak FILE]...\n"
                    "      a film of the blocks as the 3D preview shows them: OUT.mp4 (made\n"
                    "      with ffmpeg) or a folder of PNG pictures\n");
    }
    return text.append(
        "  (commands that save refuse a demo of a protocol the codec does not understand\n"
        "   unless --force is given: the saved demo would lack what it could not read)\n");
}

bool IsHelp(const std::string& a) {
    return a == "--help" || a == "-h";
}

int RunPak(const std::vector<std::string>& args) {
    std::vector<std::string> owned = args;
    std::vector<char*> argv;
    for (std::string& a : owned) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    return RunPakCommand(static_cast<int>(owned.size()), argv.data());
}

} // namespace

void SetRenderCommand(int (*run)(const std::vector<std::string>&), const char* usage) {
    g_render = run;
    g_renderUsage = usage;
}

std::string VersionText() {
    return std::string("tresk-cli ") + CINERAD_VERSION;
}

int RunTreskCli(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::cerr << Overview();
        return 2;
    }
    const std::string& command = args[0];
    if (IsHelp(command)) {
        std::cout << Overview();
        return 0;
    }
    if (command == "--version") {
        std::cout << VersionText() << "\n";
        return 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    const bool help = std::any_of(rest.begin(), rest.end(), IsHelp);
    if (command == "pak") {
        if (help) {
            std::cout << kPakUsage;
            return 0;
        }
        return RunPak(args);
    }
    if (command == "render" && g_render != nullptr) {
        if (help) {
            std::cout << g_renderUsage;
            return 0;
        }
        return g_render(rest);
    }
    for (const Subcommand& c : kSubcommands) {
        if (command == c.name) {
            if (help && c.run == RunFilm) {
                std::cout << kFilmUsage;
                return 0;
            }
            if (help) {
                std::cout << "usage: tresk-cli " << c.name << " " << c.synopsis << "\n  " << c.what
                          << "\n";
                return 0;
            }
            return c.run(rest);
        }
    }
    std::cerr << "tresk-cli: unknown command \"" << command << "\"\n" << Overview();
    return 2;
}
