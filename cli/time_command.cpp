#include "commands.h"

#include "edit_session.h"
#include "editor/time_index.h"

#include <algorithm>
#include <iostream>

int RunTime(const std::vector<std::string>& args) {
    if (args.size() != 2) {
        std::cerr << "usage: tresk-cli time FILE mm:ss.t\n";
        return 2;
    }
    const std::optional<uint32_t> tenths = ParseTimeIndex(args[1]);
    if (!tenths) {
        std::cerr << "tresk-cli: \"" << args[1]
                  << "\" is not a time: type minutes, seconds and tenths as mm:ss.t\n";
        return 2;
    }
    EditSession session;
    if (!session.Open(args[0])) {
        return 1;
    }
    uint32_t frames = 0;
    const uint32_t block = BlockAtTime(*session.doc, *tenths, &frames);
    if (block == 0) {
        std::cerr << "tresk-cli: the demo holds no frames of play\n";
        return 1;
    }
    if (*tenths >= frames) {
        std::cerr << "tresk-cli: the demo is only " << FormatTimeIndex(frames - 1)
                  << " long: its last frame is given\n";
    }
    std::cout << FormatTimeIndex(std::min(*tenths, frames - 1)) << " block " << block << "\n";
    return 0;
}
