// Registered models: maps and their inline models, and MD2 models.
#pragma once

#include "images.h"
#include "vec.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace refsoft {

// One drawable face of a map, in the map's coordinates.
struct BrushSurface {
    int faceIndex = 0;
    std::uint32_t firstVertex = 0;
    std::uint32_t numVertices = 0; // 0: nothing to draw (too few corners, no-draw, skip)
    Vec3 normal;                   // pointing to the side the face is seen from
    float dist = 0;
    float vecs[2][4]{};
    std::uint32_t flags = 0;
    image_s* texture = nullptr; // null: the checker
    Vec3 centre;
    float radius = 0;

    // Light map: lmWidth x lmHeight RGB samples per style, one per 16 texels from lmMinS/T.
    std::int32_t lightOffset = -1;
    int lmWidth = 0, lmHeight = 0, lmMinS = 0, lmMinT = 0;
    std::uint8_t styles[4]{255, 255, 255, 255};
    // The styles' samples summed for the brightness of lightKey: 256 is full texture
    // brightness, per channel.
    std::vector<std::uint16_t> light;
    float lightKey[4]{-1, -1, -1, -1};
};

// What a map holds for drawing; shared by the world and its inline models.
struct BrushData {
    std::vector<Vec3> vertices;
    std::vector<BrushSurface> surfaces; // one per face of the map, in face order
    std::vector<std::uint8_t> lighting;
};

// An MD2 model: frames of positions and normals, triangles, skins.
struct AliasData {
    struct Frame {
        std::vector<Vec3> positions;
        std::vector<Vec3> normals; // averaged from the triangles around each corner
    };
    struct Triangle {
        std::uint16_t vertex[3];
        float s[3], t[3]; // 0..1 across the skin
    };
    std::vector<Frame> frames;
    std::vector<Triangle> triangles;
    std::vector<image_s*> skins; // null where the skin file is missing
};

} // namespace refsoft

// The handle the renderer hands out for a model.
struct model_s {
    enum class Kind { Brush, Alias };
    Kind kind = Kind::Brush;
    std::string name;
    // Brush: the map's data and this model's face range and bounds.
    std::shared_ptr<refsoft::BrushData> brush;
    int firstSurface = 0, numSurfaces = 0;
    refsoft::Vec3 mins, maxs;
    // Map only: the inline models "*1", "*2" ... of the map; index 0 unused.
    std::vector<std::unique_ptr<model_s>> inlineModels;
    // Alias
    std::unique_ptr<refsoft::AliasData> alias;
};

namespace refsoft {

// Reads a map from its file bytes. Null, with a reason in error, when it is no map the
// reader accepts.
std::unique_ptr<model_s> LoadBrushModel(const std::string& name,
                                        const std::vector<std::uint8_t>& bytes, ImageCache& images,
                                        int registration, std::string& error);

// Reads an MD2 model; its skins are loaded through images.
std::unique_ptr<model_s> LoadAliasModel(const std::string& name,
                                        const std::vector<std::uint8_t>& bytes, ImageCache& images,
                                        int registration, std::string& error);

} // namespace refsoft
