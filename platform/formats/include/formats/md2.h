// The game's model format (IDP2 version 8): frames of compressed vertices, triangles and
// skin coordinates. ReadMd2 checks every count, offset and index, so an accepted model can be
// drawn through its indices without further checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "formats/types.h"

namespace formats {

constexpr std::int32_t kMd2Version = 8;
constexpr int kMd2MaxSkins = 32;
constexpr int kMd2MaxVertices = 2048;
constexpr int kMd2MaxTriangles = 4096;
constexpr int kMd2MaxFrames = 512;

struct Md2Vertex {
    std::uint8_t v[3]{};          // position = v * scale + translate
    std::uint8_t normalIndex = 0; // into the game's table of 162 normals
};

struct Md2Frame {
    Vec3 scale{1, 1, 1};
    Vec3 translate{};
    std::string name;                // up to 15 characters, for example "stand01"
    std::vector<Md2Vertex> vertices; // one per model vertex
    // The frame's vertex i in model units.
    Vec3 Position(std::size_t i) const;
};

struct Md2Triangle {
    std::uint16_t vertex[3]{};
    std::uint16_t st[3]{};
};

struct Md2St {
    std::int16_t s = 0;
    std::int16_t t = 0;
};

struct Md2 {
    std::int32_t skinWidth = 0;
    std::int32_t skinHeight = 0;
    std::int32_t numVertices = 0;   // per frame
    std::vector<std::string> skins; // up to 63 characters each, for example "models/x/skin.pcx"
    std::vector<Md2St> st;
    std::vector<Md2Triangle> triangles;
    std::vector<Md2Frame> frames;
    std::vector<std::int32_t> glCommands; // strips and fans, checked; may be empty
};

// Reads a model. On failure returns false and sets `error`, for example
// "model: triangle 3 names vertex 9 of 8".
bool ReadMd2(Bytes bytes, Md2& out, std::string& error);

} // namespace formats
