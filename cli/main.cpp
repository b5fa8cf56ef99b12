// tresk-cli: the command-line face of the editor's core.
#include "dispatch.h"
#include "render_command.h"

#include "demo/show_message.h"

#include <iostream>

int main(int argc, char** argv) {
    SetShowMessageHandler(
        [](const std::string& text) { std::cerr << "tresk-cli: " << text << "\n"; });
    SetRenderCommand(RunRender, kRenderUsage);
    return RunTreskCli(std::vector<std::string>(argv + 1, argv + argc));
}
