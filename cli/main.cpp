// tresk-cli: the command-line face of the editor's core.
#include "dispatch.h"

#include "demo/show_message.h"

#include <iostream>

int main(int argc, char** argv) {
    SetShowMessageHandler(
        [](const std::string& text) { std::cerr << "tresk-cli: " << text << "\n"; });
    return RunTreskCli(std::vector<std::string>(argv + 1, argv + argc));
}
