// The game's map format (IBSP version 38): what the renderer and the overhead view read of it.
//
// ReadBsp checks every count, offset and index before it keeps a record: a map it accepts can
// be walked through its indices without further checks (plane, child, face, edge, vertex,
// texinfo, leaf face and light map references all lie inside their tables).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "formats/types.h"

namespace formats {

constexpr std::int32_t kBspVersion = 38;

// Surface flags of a texinfo.
constexpr std::uint32_t SURF_LIGHT = 0x1;
constexpr std::uint32_t SURF_SLICK = 0x2;
constexpr std::uint32_t SURF_SKY = 0x4;
constexpr std::uint32_t SURF_WARP = 0x8;
constexpr std::uint32_t SURF_TRANS33 = 0x10;
constexpr std::uint32_t SURF_TRANS66 = 0x20;
constexpr std::uint32_t SURF_FLOWING = 0x40;
constexpr std::uint32_t SURF_NODRAW = 0x80;
constexpr std::uint32_t SURF_HINT = 0x100;
constexpr std::uint32_t SURF_SKIP = 0x200;

// Leaf contents the preview cares about.
constexpr std::int32_t CONTENTS_SOLID = 1;
constexpr std::int32_t CONTENTS_WATER = 32;

// The 19 lumps of the header, in file order.
enum BspLump : int {
    LUMP_ENTITIES,
    LUMP_PLANES,
    LUMP_VERTEXES,
    LUMP_VISIBILITY,
    LUMP_NODES,
    LUMP_TEXINFO,
    LUMP_FACES,
    LUMP_LIGHTING,
    LUMP_LEAFS,
    LUMP_LEAFFACES,
    LUMP_LEAFBRUSHES,
    LUMP_EDGES,
    LUMP_SURFEDGES,
    LUMP_MODELS,
    LUMP_BRUSHES,
    LUMP_BRUSHSIDES,
    LUMP_POP,
    LUMP_AREAS,
    LUMP_AREAPORTALS,
    kBspLumpCount
};
// The lump's name as error texts give it ("planes", "faces", ...).
const char* BspLumpName(int lump);

struct BspPlane {
    Vec3 normal{};
    float dist = 0;
    std::int32_t type = 0; // 0..2 axial on x/y/z, 3..5 nearest to that axis
};

struct BspNode {
    std::int32_t plane = 0;
    // Front and back: a node index when >= 0, otherwise the leaf -(child + 1).
    std::int32_t children[2]{};
    std::int16_t mins[3]{};
    std::int16_t maxs[3]{};
    std::uint16_t firstFace = 0;
    std::uint16_t numFaces = 0;
};

struct BspTexInfo {
    float vecs[2][4]{}; // s and t: xyz axis and offset, in texels
    std::uint32_t flags = 0;
    std::int32_t value = 0;
    std::string texture;           // up to 31 characters, for example "e1u1/floor1_3"
    std::int32_t nextTexInfo = -1; // next frame of an animated texture, -1 for none
};

struct BspFace {
    std::uint16_t plane = 0;
    std::int16_t side = 0; // 1: the face looks along the plane's negative normal
    std::int32_t firstEdge = 0;
    std::int16_t numEdges = 0;
    std::int16_t texInfo = 0;
    std::uint8_t styles[4]{0, 255, 255, 255}; // light styles, 255 ends the list
    std::int32_t lightOffset = -1;            // into lighting, -1 for an unlit face
};

struct BspLeaf {
    std::int32_t contents = 0;
    std::int16_t cluster = -1;
    std::int16_t area = 0;
    std::int16_t mins[3]{};
    std::int16_t maxs[3]{};
    std::uint16_t firstLeafFace = 0;
    std::uint16_t numLeafFaces = 0;
    std::uint16_t firstLeafBrush = 0;
    std::uint16_t numLeafBrushes = 0;
};

struct BspEdge {
    std::uint16_t v[2]{};
};

struct BspModel {
    Vec3 mins{};
    Vec3 maxs{};
    Vec3 origin{};
    std::int32_t headNode = 0;
    std::int32_t firstFace = 0;
    std::int32_t numFaces = 0;
};

// One entity of the entity text: its key/value pairs in file order.
struct BspEntity {
    std::vector<std::pair<std::string, std::string>> pairs;
    // The first value of the key, or null.
    const std::string* Get(const std::string& key) const;
    std::string ClassName() const; // "" without a classname
    // The key read as three numbers ("origin" "-64 128 24"); nothing when absent or malformed.
    std::optional<Vec3> GetVec3(const std::string& key) const;
};

struct Bsp {
    std::string entityText;
    std::vector<BspEntity> entities; // parsed from entityText
    std::vector<BspPlane> planes;
    std::vector<Vec3> vertices;
    std::vector<std::uint8_t> visibility; // compressed cluster visibility, checked by ReadBsp
    std::vector<BspNode> nodes;
    std::vector<BspTexInfo> texInfo;
    std::vector<BspFace> faces;
    std::vector<std::uint8_t> lighting; // RGB light map samples
    std::vector<BspLeaf> leaves;
    std::vector<std::uint16_t> leafFaces;
    std::vector<std::uint16_t> leafBrushes;
    std::vector<BspEdge> edges;
    std::vector<std::int32_t> surfEdges; // edge index, negative: the edge walked backwards
    std::vector<BspModel> models;        // 0 is the world, N is the inline model "*N"
    // Lumps the preview does not interpret, kept byte for byte.
    std::vector<std::uint8_t> brushes;
    std::vector<std::uint8_t> brushSides;
    std::vector<std::uint8_t> pop;
    std::vector<std::uint8_t> areas;
    std::vector<std::uint8_t> areaPortals;

    // The first entity with this classname, or null.
    const BspEntity* FindEntity(const std::string& className) const;
    // The inline model a model name like "*3" names, or null (also for "*0", "*x", "*99").
    const BspModel* InlineModel(const std::string& name) const;
    // The face's corners in order (walking its surf edges).
    std::vector<Vec3> FaceVertices(const BspFace& face) const;
    // Number of clusters of the visibility data (0 without visibility).
    int ClusterCount() const;
};

// Size of a face's light map in samples (one sample per 16 texels, corners included), as the
// game computes it from the texture extents. False for a face whose extents are too large.
bool FaceLightmapSize(const Bsp& bsp, const BspFace& face, int& width, int& height);

// Reads a map. On failure returns false, leaves `out` unspecified and sets `error` to a
// text that says what is wrong, for example "map: face 12 names texinfo 40 of 38".
bool ReadBsp(Bytes bytes, Bsp& out, std::string& error);

// The clusters visible from `cluster` (one bit each, numClusters bits), decompressed from
// the map's visibility data. Every cluster is visible when the map has none or the cluster
// is out of range (-1 included), as the game treats it.
std::vector<std::uint8_t> ClusterVisibility(const Bsp& bsp, int cluster);

// Parses the entity text ({ "key" "value" ... } blocks). False with an error text such as
// "entities: unexpected end of text inside an entity" when malformed.
bool ParseBspEntities(const std::string& text, std::vector<BspEntity>& out, std::string& error);

} // namespace formats
