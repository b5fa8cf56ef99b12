#include "commands.h"

#include "cli_document.h"

#include <iostream>

namespace {
// The game's packet buffer: a longer block stops playback.
constexpr uint32_t kMaxPacketBytes = 1400;
} // namespace

int RunCheck(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::cerr << "usage: tresk-cli check FILE\n";
        return 2;
    }
    auto doc = std::make_unique<CTreskDoc>();
    std::string error;
    if (!doc->OnOpenDocument(args[0], &error)) {
        std::cerr << "tresk-cli: " << error << "\n";
        return 1;
    }
    // Block sizes are only known before decoding frees the bytes.
    std::vector<std::string> problems;
    uint32_t number = 1;
    for (DemoBlock* b = doc->FirstBlock(); b != nullptr; b = b->next, ++number) {
        if (b->rawLength > kMaxPacketBytes) {
            problems.push_back("block " + std::to_string(number) + ": " +
                               std::to_string(b->rawLength) +
                               " bytes, more than the game's 1400-byte packet buffer");
        }
    }
    doc->DecodeAll();
    for (const DecodeProblem& p : doc->Problems()) {
        problems.push_back((p.block != 0 ? "block " + std::to_string(p.block) + ": " : "") +
                           p.text);
    }
    for (const std::string& p : problems) {
        std::cout << p << "\n";
    }
    if (problems.empty()) {
        std::cout << "no problems found in " << doc->blockCount << " blocks\n";
        return 0;
    }
    std::cout << problems.size() << " problem" << (problems.size() == 1 ? "" : "s") << " found\n";
    return 1;
}
