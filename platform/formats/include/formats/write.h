// Writers of the four formats, for tests and the data generator. Each writes what the
// matching reader reads back into an equal record; the writers do not check their input
// beyond what the layout needs (names are cut to their slots).
#pragma once

#include <cstdint>
#include <vector>

#include "formats/bsp.h"
#include "formats/md2.h"
#include "formats/pcx.h"
#include "formats/wal.h"

namespace formats {

// Lumps in file order after the header; the entity text is written NUL-terminated.
std::vector<std::uint8_t> WriteBsp(const Bsp& bsp);
// Header, skins, st, triangles, frames, GL commands in that order.
std::vector<std::uint8_t> WriteMd2(const Md2& model);
// Run-length encoded, one scan line of an even number of bytes per row, palette at the end.
std::vector<std::uint8_t> WritePcx(const Pcx& picture);
// Header followed by the four mip levels.
std::vector<std::uint8_t> WriteWal(const Wal& texture);

} // namespace formats
