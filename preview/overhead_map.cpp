#include "overhead_map.h"

#include "demo/tresk_doc.h"

#include <algorithm>
#include <unordered_map>

namespace {

// cos 45 degrees: steeper faces are walls.
constexpr float kFloorNormalZ = 0.7071f;

bool IsFloor(const formats::Bsp& bsp, const formats::BspFace& face) {
    const formats::BspTexInfo& tex = bsp.texInfo[static_cast<size_t>(face.texInfo)];
    if ((tex.flags & (formats::SURF_SKY | formats::SURF_NODRAW | formats::SURF_SKIP)) != 0) {
        return false;
    }
    const float z = bsp.planes[face.plane].normal[2];
    return (face.side != 0 ? -z : z) >= kFloorNormalZ;
}

bool IsMapName(const std::string& name) {
    return name.size() > 9 && name.rfind("maps/", 0) == 0 &&
           name.compare(name.size() - 4, 4, ".bsp") == 0 && name.find("..") == std::string::npos;
}

} // namespace

void OverheadBounds::Add(float x, float y) {
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        empty = false;
        return;
    }
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
}

std::vector<OverheadSegment> FloorOutline(const formats::Bsp& bsp) {
    std::vector<OverheadSegment> outline;
    if (bsp.models.empty()) {
        return outline;
    }
    // How many floor faces of the world use each edge: 1 marks a border.
    const formats::BspModel& world = bsp.models.front();
    const auto first = static_cast<size_t>(std::max(world.firstFace, 0));
    const size_t end = std::min(bsp.faces.size(), first + static_cast<size_t>(world.numFaces));
    std::unordered_map<uint32_t, int> uses;
    std::vector<uint32_t> order;
    for (size_t f = first; f < end; ++f) {
        const formats::BspFace& face = bsp.faces[f];
        if (!IsFloor(bsp, face)) {
            continue;
        }
        for (int k = 0; k < face.numEdges; ++k) {
            const int32_t se = bsp.surfEdges[static_cast<size_t>(face.firstEdge + k)];
            const auto edge = static_cast<uint32_t>(se < 0 ? -static_cast<int64_t>(se) : se);
            if (uses[edge]++ == 0) {
                order.push_back(edge);
            }
        }
    }
    for (uint32_t edge : order) {
        if (uses[edge] != 1) {
            continue;
        }
        const formats::BspEdge& e = bsp.edges[edge];
        const formats::Vec3& a = bsp.vertices[e.v[0]];
        const formats::Vec3& b = bsp.vertices[e.v[1]];
        outline.push_back({a[0], a[1], b[0], b[1], (a[2] + b[2]) / 2});
    }
    return outline;
}

OverheadBounds BoundsOf(const std::vector<OverheadSegment>& outline) {
    OverheadBounds bounds;
    for (const OverheadSegment& s : outline) {
        bounds.Add(s.x0, s.y0);
        bounds.Add(s.x1, s.y1);
    }
    return bounds;
}

bool LoadDemoMap(CTreskDoc& doc, formats::Bsp& bsp, std::string& error) {
    const std::string name = doc.modelTable.Entry(0);
    if (!IsMapName(name)) {
        error = name.empty() ? "The demo names no map." : "\"" + name + "\" is not a map.";
        return false;
    }
    void* buffer = nullptr;
    const int length = doc.refImport.FS_LoadFile(name.c_str(), &buffer);
    if (length < 0 || buffer == nullptr) {
        error = "The map " + name + " is in none of the pak files.";
        return false;
    }
    std::string why;
    const bool ok = formats::ReadBsp(
        formats::Bytes(static_cast<const uint8_t*>(buffer), static_cast<size_t>(length)), bsp, why);
    doc.refImport.FS_FreeFile(buffer);
    if (!ok) {
        error = "The map " + name + " cannot be read: " + why;
    }
    return ok;
}
