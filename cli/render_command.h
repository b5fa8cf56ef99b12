// tresk-cli render: the 3D preview's pictures of a run of blocks, written as PNG files.
#pragma once

#include <string>
#include <vector>

int RunRender(const std::vector<std::string>& args);
extern const char* const kRenderUsage;
