// The game's wall texture format (miptex): name, size, four mip levels of palette indices,
// the next frame of an animation and the surface flags, contents and value.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/types.h"

namespace formats {

constexpr int kWalMaxSide = 4096;
constexpr std::size_t kWalHeaderSize = 100;

struct Wal {
    std::string name; // up to 31 characters, for example "e1u1/floor1_3"
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // Level i is (width >> i) by (height >> i) palette indices.
    std::array<std::vector<std::uint8_t>, 4> mips;
    std::string animName; // next frame, "" for none
    std::uint32_t flags = 0;
    std::uint32_t contents = 0;
    std::int32_t value = 0;
};

// Reads a texture. On failure returns false and sets `error`, for example
// "texture: mip level 2 lies outside the file".
bool ReadWal(Bytes bytes, Wal& out, std::string& error);

} // namespace formats
