// tresk-cli: the command-line face of the editor's core.
#include "commands.h"
#include "pak_command.h"

#include "demo/show_message.h"

#include <cstring>
#include <iostream>

namespace {

const char* const kUsage =
    "usage: tresk-cli COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  info FILE                   protocol, map, blocks, players, message counts, length\n"
    "  dump FILE [--blocks A-B]    one line per message with every field\n"
    "  resave IN OUT [--force]     save as the editor does (renumbered frames, rebuilt signon);\n"
    "                              --force saves a demo of a protocol it does not understand\n"
    "  check FILE                  decode everything and list every problem found\n"
    "  cut IN OUT --blocks A-B     cut blocks A to B, as Cut does, and save\n"
    "  delete IN OUT --blocks A-B [--yes]\n"
    "                              delete blocks A to B (--yes agrees to losing opening blocks)\n"
    "  reverse IN OUT --blocks A-B reverse the order of blocks A to B\n"
    "  paste IN OUT --from SRC --blocks A-B --after N\n"
    "                              copy blocks A to B of SRC and paste them after block N\n";

struct Subcommand {
    const char* name;
    int (*run)(const std::vector<std::string>&);
};

constexpr Subcommand kSubcommands[] = {
    {"info", RunInfo}, {"dump", RunDump},     {"resave", RunResave},   {"check", RunCheck},
    {"cut", RunCut},   {"delete", RunDelete}, {"reverse", RunReverse}, {"paste", RunPaste},
};

} // namespace

int main(int argc, char** argv) {
    SetShowMessageHandler(
        [](const std::string& text) { std::cerr << "tresk-cli: " << text << "\n"; });
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::cout << kUsage << kPakUsage;
        return argc < 2 ? 2 : 0;
    }
    std::string command = argv[1];
    if (command == "pak") {
        return RunPakCommand(argc - 1, argv + 1);
    }
    std::vector<std::string> args(argv + 2, argv + argc);
    for (const Subcommand& c : kSubcommands) {
        if (command == c.name) {
            return c.run(args);
        }
    }
    std::cerr << "tresk-cli: unknown command \"" << command << "\"\n" << kUsage;
    return 2;
}
