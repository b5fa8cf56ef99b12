// Small valid records of each format, built in code, for the round-trip and broken-input tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/bsp.h"
#include "formats/md2.h"
#include "formats/pcx.h"
#include "formats/wal.h"

namespace formats_test {

// A map of one lit floor square (64 x 64 units) in one leaf under one node, with two styles of
// light, visibility for one cluster and an inline model "*1" that shares the face.
formats::Bsp MakeBsp();
// A model of one triangle with two frames and two skins.
formats::Md2 MakeMd2();
// A picture with runs, single values above 0xBF and an odd width.
formats::Pcx MakePcx(int width = 5, int height = 3);
formats::Wal MakeWal();

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value);
std::uint32_t GetU32(const std::vector<std::uint8_t>& bytes, std::size_t at);

// Files of the shared corpus with this extension under assets/<ext>/; empty when absent.
std::vector<std::filesystem::path> CorpusFiles(const std::string& ext);
std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path);

} // namespace formats_test
