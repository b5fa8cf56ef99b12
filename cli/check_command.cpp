#include "commands.h"

#include "demo/demo_check.h"

#include <iostream>

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
    const std::vector<DecodeProblem> problems = CheckDemo(*doc);
    for (const DecodeProblem& p : problems) {
        std::cout << (p.block != 0 ? "block " + std::to_string(p.block) + ": " : "") << p.text
                  << "\n";
    }
    if (problems.empty()) {
        std::cout << "no problems found in " << doc->blockCount << " blocks\n";
        return 0;
    }
    std::cout << problems.size() << " problem" << (problems.size() == 1 ? "" : "s") << " found\n";
    return 1;
}
