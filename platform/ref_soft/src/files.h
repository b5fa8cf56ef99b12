// Loading the renderer's files through the host's import table.
#pragma once

#include "orrery/ref_types.h"

#include <cstdint>
#include <string>
#include <vector>

namespace refsoft {

// Files larger than this are refused: no asset of the game comes near it.
constexpr int kMaxFileSize = 64 * 1024 * 1024;

// Reads a whole file through FS_LoadFile and hands the host's buffer back with FS_FreeFile.
// False when the host has no such file, answers with a bad length or no buffer, or the file
// is too large.
bool LoadFile(const refimport_t& imports, const std::string& name, std::vector<std::uint8_t>& out);

} // namespace refsoft
