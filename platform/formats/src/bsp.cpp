#include "formats/bsp.h"

#include <cmath>
#include <limits>

#include "byte_reader.h"
#include "format_error.h"

namespace formats {

using detail::ByteReader;
using detail::Fail;

namespace {

constexpr std::size_t kHeaderSize = 8 + 8 * kBspLumpCount;
constexpr int kMaxLightmapSide = 17; // 256 texels of extent, samples at both ends

const char* const kLumpNames[kBspLumpCount] = {
    "entities", "planes",      "vertices",   "visibility",   "nodes",       "texinfo",    "faces",
    "lighting", "leaves",      "leaf faces", "leaf brushes", "edges",       "surf edges", "models",
    "brushes",  "brush sides", "pop",        "areas",        "area portals"};

// Record sizes of the lumps on disk; 1 for lumps of bytes.
const std::size_t kRecordSize[kBspLumpCount] = {1, 20, 12, 1,  28, 76, 20, 1, 28, 2,
                                                2, 4,  4,  48, 12, 4,  1,  8, 8};

struct Lump {
    std::size_t offset = 0;
    std::size_t length = 0;
    std::size_t count = 0;
};

class Loader {
  public:
    Loader(Bytes bytes, Bsp& out, std::string& error) : r(bytes), bsp(out), err(error) {}

    bool Run() {
        if (r.Size() < kHeaderSize) {
            return Fail(err, "map: the file is too short for a header (%zu bytes)", r.Size());
        }
        if (r.U32(0) != 0x50534249u) { // "IBSP"
            return Fail(err, "map: not a map file (no IBSP mark)");
        }
        if (r.I32(4) != kBspVersion) {
            return Fail(err, "map: version %d, only version 38 is read", r.I32(4));
        }
        for (int i = 0; i < kBspLumpCount; ++i) {
            const std::int32_t offset = r.I32(8 + 8 * static_cast<std::size_t>(i));
            const std::int32_t length = r.I32(12 + 8 * static_cast<std::size_t>(i));
            if (offset < 0 || length < 0 ||
                !r.Has(static_cast<std::size_t>(offset), static_cast<std::size_t>(length))) {
                return Fail(err, "map: the %s lump lies outside the file", kLumpNames[i]);
            }
            Lump& l = lumps[i];
            l.offset = static_cast<std::size_t>(offset);
            l.length = static_cast<std::size_t>(length);
            if (l.length % kRecordSize[i] != 0) {
                return Fail(err, "map: the %s lump's length %zu is not a multiple of %zu",
                            kLumpNames[i], l.length, kRecordSize[i]);
            }
            l.count = l.length / kRecordSize[i];
        }
        return Entities() && Planes() && Vertices() && Edges() && SurfEdges() && TexInfo() &&
               Lighting() && Faces() && LeafFaces() && Visibility() && Leaves() && Nodes() &&
               Models() && RawLumps();
    }

  private:
    bool Entities() {
        const Lump& l = lumps[LUMP_ENTITIES];
        const char* p = reinterpret_cast<const char*>(r.Data(l.offset));
        std::size_t n = 0;
        while (n < l.length && p[n] != '\0') {
            ++n;
        }
        bsp.entityText.assign(p, n);
        std::string why;
        if (!ParseBspEntities(bsp.entityText, bsp.entities, why)) {
            return Fail(err, "map: %s", why.c_str());
        }
        return true;
    }

    bool Planes() {
        const Lump& l = lumps[LUMP_PLANES];
        bsp.planes.resize(l.count);
        for (std::size_t i = 0; i < l.count; ++i) {
            const std::size_t at = l.offset + 20 * i;
            BspPlane& p = bsp.planes[i];
            p.normal = {r.F32(at), r.F32(at + 4), r.F32(at + 8)};
            p.dist = r.F32(at + 12);
            p.type = r.I32(at + 16);
        }
        return true;
    }

    bool Vertices() {
        const Lump& l = lumps[LUMP_VERTEXES];
        bsp.vertices.resize(l.count);
        for (std::size_t i = 0; i < l.count; ++i) {
            const std::size_t at = l.offset + 12 * i;
            bsp.vertices[i] = {r.F32(at), r.F32(at + 4), r.F32(at + 8)};
        }
        return true;
    }

    bool Edges() {
        const Lump& l = lumps[LUMP_EDGES];
        bsp.edges.resize(l.count);
        for (std::size_t i = 0; i < l.count; ++i) {
            const std::size_t at = l.offset + 4 * i;
            BspEdge& e = bsp.edges[i];
            e.v[0] = r.U16(at);
            e.v[1] = r.U16(at + 2);
            for (std::uint16_t v : e.v) {
                if (v >= bsp.vertices.size()) {
                    return Fail(err, "map: edge %zu names vertex %u of %zu", i, v,
                                bsp.vertices.size());
                }
            }
        }
        return true;
    }

    bool SurfEdges() {
        const Lump& l = lumps[LUMP_SURFEDGES];
        bsp.surfEdges.resize(l.count);
        for (std::size_t i = 0; i < l.count; ++i) {
            const std::int32_t e = r.I32(l.offset + 4 * i);
            const std::int64_t index = e < 0 ? -static_cast<std::int64_t>(e) : e;
            if (index >= static_cast<std::int64_t>(bsp.edges.size())) {
                return Fail(err, "map: surf edge %zu names edge %lld of %zu", i,
                            static_cast<long long>(index), bsp.edges.size());
            }
            bsp.surfEdges[i] = e;
        }
        return true;
    }

    bool TexInfo() {
        const Lump& l = lumps[LUMP_TEXINFO];
        bsp.texInfo.resize(l.count);
        for (std::size_t i = 0; i < l.count; ++i) {
            const std::size_t at = l.offset + 76 * i;
            BspTexInfo& t = bsp.texInfo[i];
            for (int a = 0; a < 2; ++a) {
                for (int b = 0; b < 4; ++b) {
                    t.vecs[a][b] = r.F32(at + 16 * static_cast<std::size_t>(a) +
                                         4 * static_cast<std::size_t>(b));
                    if (!std::isfinite(t.vecs[a][b])) {
                        return Fail(err, "map: texinfo %zu has a texture axis that is no number",
                                    i);
                    }
                }
            }
            t.flags = r.U32(at + 32);
            t.value = r.I32(at + 36);
            t.texture = r.Name(at + 40, 32);
            t.nextTexInfo = r.I32(at + 72);
            if (t.nextTexInfo < -1 || t.nextTexInfo >= static_cast<std::int64_t>(l.count)) {
                return Fail(err, "map: texinfo %zu names next texinfo %d of %zu", i, t.nextTexInfo,
                            l.count);
            }
        }
        return true;
    }

    bool Lighting() {
        const Lump& l = lumps[LUMP_LIGHTING];
        bsp.lighting.assign(r.Data(l.offset), r.Data(l.offset) + l.length);
        return true;
    }

    bool Faces() {
        const Lump& l = lumps[LUMP_FACES];
        bsp.faces.resize(l.count);
        for (std::size_t i = 0; i < l.count; ++i) {
            const std::size_t at = l.offset + 20 * i;
            BspFace& f = bsp.faces[i];
            f.plane = r.U16(at);
            f.side = r.I16(at + 2);
            f.firstEdge = r.I32(at + 4);
            f.numEdges = r.I16(at + 8);
            f.texInfo = r.I16(at + 10);
            for (std::size_t s = 0; s < 4; ++s) {
                f.styles[s] = r.U8(at + 12 + s);
            }
            f.lightOffset = r.I32(at + 16);
            if (f.plane >= bsp.planes.size()) {
                return Fail(err, "map: face %zu names plane %u of %zu", i, f.plane,
                            bsp.planes.size());
            }
            if (f.numEdges < 3 || f.firstEdge < 0 ||
                static_cast<std::size_t>(f.firstEdge) + static_cast<std::size_t>(f.numEdges) >
                    bsp.surfEdges.size()) {
                return Fail(err, "map: face %zu has edges %d..%d outside the %zu surf edges", i,
                            f.firstEdge, f.firstEdge + f.numEdges - 1, bsp.surfEdges.size());
            }
            if (f.texInfo < 0 || static_cast<std::size_t>(f.texInfo) >= bsp.texInfo.size()) {
                return Fail(err, "map: face %zu names texinfo %d of %zu", i, f.texInfo,
                            bsp.texInfo.size());
            }
            if (!FaceLight(i, f)) {
                return false;
            }
        }
        return true;
    }

    // A lit face's light maps (one per style) must lie inside the light data.
    bool FaceLight(std::size_t i, BspFace& f) {
        if (f.lightOffset == -1) {
            return true;
        }
        if (bsp.lighting.empty()) {
            // A map compiled without light has no light data at all; the game then draws
            // every face full bright, whatever offsets its faces carry.
            f.lightOffset = -1;
            return true;
        }
        if (f.lightOffset < 0 || static_cast<std::size_t>(f.lightOffset) > bsp.lighting.size()) {
            return Fail(err, "map: face %zu has light offset %d outside the %zu light bytes", i,
                        f.lightOffset, bsp.lighting.size());
        }
        if (bsp.texInfo[static_cast<std::size_t>(f.texInfo)].flags & (SURF_SKY | SURF_WARP)) {
            return true; // sky and warped faces are drawn unlit
        }
        int w = 0;
        int h = 0;
        if (!FaceLightmapSize(bsp, f, w, h)) {
            return Fail(err, "map: face %zu is too large for a light map", i);
        }
        std::size_t maps = 0;
        while (maps < 4 && f.styles[maps] != 255) {
            ++maps;
        }
        const std::size_t need = maps * static_cast<std::size_t>(w * h) * 3;
        if (need > bsp.lighting.size() - static_cast<std::size_t>(f.lightOffset)) {
            return Fail(err, "map: face %zu's light map runs past the %zu light bytes", i,
                        bsp.lighting.size());
        }
        return true;
    }

    bool LeafFaces() {
        const Lump& l = lumps[LUMP_LEAFFACES];
        bsp.leafFaces.resize(l.count);
        for (std::size_t i = 0; i < l.count; ++i) {
            bsp.leafFaces[i] = r.U16(l.offset + 2 * i);
            if (bsp.leafFaces[i] >= bsp.faces.size()) {
                return Fail(err, "map: leaf face %zu names face %u of %zu", i, bsp.leafFaces[i],
                            bsp.faces.size());
            }
        }
        const Lump& lb = lumps[LUMP_LEAFBRUSHES];
        bsp.leafBrushes.resize(lb.count);
        for (std::size_t i = 0; i < lb.count; ++i) {
            bsp.leafBrushes[i] = r.U16(lb.offset + 2 * i);
        }
        return true;
    }

    // Visibility: a cluster count, then per cluster the offsets of its visible and audible
    // sets, each inside the lump.
    bool Visibility() {
        const Lump& l = lumps[LUMP_VISIBILITY];
        bsp.visibility.assign(r.Data(l.offset), r.Data(l.offset) + l.length);
        if (l.length == 0) {
            return true;
        }
        ByteReader v(bsp.visibility);
        if (!v.Has(0, 4)) {
            return Fail(err, "map: the visibility data is too short");
        }
        const std::int32_t clusters = v.I32(0);
        if (clusters < 0 || !v.Has(4, static_cast<std::size_t>(clusters) * 8)) {
            return Fail(err, "map: the visibility data names %d clusters it has no room for",
                        clusters);
        }
        for (std::size_t c = 0; c < static_cast<std::size_t>(clusters); ++c) {
            for (std::size_t k = 0; k < 2; ++k) {
                const std::int32_t offset = v.I32(4 + 8 * c + 4 * k);
                if (offset < 0 || static_cast<std::size_t>(offset) >= l.length) {
                    return Fail(err, "map: cluster %zu's visibility lies outside its lump", c);
                }
            }
        }
        return true;
    }

    bool Leaves() {
        const Lump& l = lumps[LUMP_LEAFS];
        bsp.leaves.resize(l.count);
        const int clusters = bsp.ClusterCount();
        for (std::size_t i = 0; i < l.count; ++i) {
            const std::size_t at = l.offset + 28 * i;
            BspLeaf& leaf = bsp.leaves[i];
            leaf.contents = r.I32(at);
            leaf.cluster = r.I16(at + 4);
            leaf.area = r.I16(at + 6);
            for (std::size_t k = 0; k < 3; ++k) {
                leaf.mins[k] = r.I16(at + 8 + 2 * k);
                leaf.maxs[k] = r.I16(at + 14 + 2 * k);
            }
            leaf.firstLeafFace = r.U16(at + 20);
            leaf.numLeafFaces = r.U16(at + 22);
            leaf.firstLeafBrush = r.U16(at + 24);
            leaf.numLeafBrushes = r.U16(at + 26);
            if (static_cast<std::size_t>(leaf.firstLeafFace) + leaf.numLeafFaces >
                bsp.leafFaces.size()) {
                return Fail(err, "map: leaf %zu has leaf faces outside the %zu leaf faces", i,
                            bsp.leafFaces.size());
            }
            if (static_cast<std::size_t>(leaf.firstLeafBrush) + leaf.numLeafBrushes >
                bsp.leafBrushes.size()) {
                return Fail(err, "map: leaf %zu has leaf brushes outside the %zu leaf brushes", i,
                            bsp.leafBrushes.size());
            }
            if (leaf.cluster < -1 || (clusters > 0 && leaf.cluster >= clusters)) {
                return Fail(err, "map: leaf %zu names cluster %d of %d", i, leaf.cluster, clusters);
            }
        }
        return true;
    }

    bool Child(std::size_t i, std::int32_t child) {
        if (child >= 0) {
            if (static_cast<std::size_t>(child) >= lumps[LUMP_NODES].count) {
                return Fail(err, "map: node %zu names child node %d of %zu", i, child,
                            lumps[LUMP_NODES].count);
            }
            if (static_cast<std::size_t>(child) <= i) {
                // Children come after their parent in the game's compiler; a child at or
                // before its parent could close a loop.
                return Fail(err, "map: node %zu names child node %d before itself", i, child);
            }
            return true;
        }
        const std::int64_t leaf = -static_cast<std::int64_t>(child) - 1;
        if (leaf >= static_cast<std::int64_t>(bsp.leaves.size())) {
            return Fail(err, "map: node %zu names leaf %lld of %zu", i,
                        static_cast<long long>(leaf), bsp.leaves.size());
        }
        return true;
    }

    bool Nodes() {
        const Lump& l = lumps[LUMP_NODES];
        bsp.nodes.resize(l.count);
        for (std::size_t i = 0; i < l.count; ++i) {
            const std::size_t at = l.offset + 28 * i;
            BspNode& n = bsp.nodes[i];
            n.plane = r.I32(at);
            n.children[0] = r.I32(at + 4);
            n.children[1] = r.I32(at + 8);
            for (std::size_t k = 0; k < 3; ++k) {
                n.mins[k] = r.I16(at + 12 + 2 * k);
                n.maxs[k] = r.I16(at + 18 + 2 * k);
            }
            n.firstFace = r.U16(at + 24);
            n.numFaces = r.U16(at + 26);
            if (n.plane < 0 || static_cast<std::size_t>(n.plane) >= bsp.planes.size()) {
                return Fail(err, "map: node %zu names plane %d of %zu", i, n.plane,
                            bsp.planes.size());
            }
            if (!Child(i, n.children[0]) || !Child(i, n.children[1])) {
                return false;
            }
            if (static_cast<std::size_t>(n.firstFace) + n.numFaces > bsp.faces.size()) {
                return Fail(err, "map: node %zu has faces outside the %zu faces", i,
                            bsp.faces.size());
            }
        }
        return true;
    }

    bool Models() {
        const Lump& l = lumps[LUMP_MODELS];
        if (l.count == 0) {
            return Fail(err, "map: there is no world model");
        }
        bsp.models.resize(l.count);
        for (std::size_t i = 0; i < l.count; ++i) {
            const std::size_t at = l.offset + 48 * i;
            BspModel& m = bsp.models[i];
            for (std::size_t k = 0; k < 3; ++k) {
                m.mins[k] = r.F32(at + 4 * k);
                m.maxs[k] = r.F32(at + 12 + 4 * k);
                m.origin[k] = r.F32(at + 24 + 4 * k);
            }
            m.headNode = r.I32(at + 36);
            m.firstFace = r.I32(at + 40);
            m.numFaces = r.I32(at + 44);
            if (m.headNode >= 0 ? static_cast<std::size_t>(m.headNode) >= bsp.nodes.size()
                                : -static_cast<std::int64_t>(m.headNode) - 1 >=
                                      static_cast<std::int64_t>(bsp.leaves.size())) {
                return Fail(err, "map: model %zu names head node %d outside the %zu nodes", i,
                            m.headNode, bsp.nodes.size());
            }
            if (m.firstFace < 0 || m.numFaces < 0 ||
                static_cast<std::size_t>(m.firstFace) + static_cast<std::size_t>(m.numFaces) >
                    bsp.faces.size()) {
                return Fail(err, "map: model %zu has faces outside the %zu faces", i,
                            bsp.faces.size());
            }
        }
        return true;
    }

    bool RawLumps() {
        auto copy = [&](int lump, std::vector<std::uint8_t>& to) {
            const Lump& l = lumps[lump];
            to.assign(r.Data(l.offset), r.Data(l.offset) + l.length);
        };
        copy(LUMP_BRUSHES, bsp.brushes);
        copy(LUMP_BRUSHSIDES, bsp.brushSides);
        copy(LUMP_POP, bsp.pop);
        copy(LUMP_AREAS, bsp.areas);
        copy(LUMP_AREAPORTALS, bsp.areaPortals);
        return true;
    }

    ByteReader r;
    Bsp& bsp;
    std::string& err;
    Lump lumps[kBspLumpCount];
};

} // namespace

const char* BspLumpName(int lump) {
    return lump >= 0 && lump < kBspLumpCount ? kLumpNames[lump] : "";
}

bool ReadBsp(Bytes bytes, Bsp& out, std::string& error) {
    out = Bsp{};
    return Loader(bytes, out, error).Run();
}

bool FaceLightmapSize(const Bsp& bsp, const BspFace& face, int& width, int& height) {
    const BspTexInfo& tex = bsp.texInfo.at(static_cast<std::size_t>(face.texInfo));
    double mins[2] = {std::numeric_limits<double>::max(), std::numeric_limits<double>::max()};
    double maxs[2] = {-std::numeric_limits<double>::max(), -std::numeric_limits<double>::max()};
    for (const Vec3& v : bsp.FaceVertices(face)) {
        for (int k = 0; k < 2; ++k) {
            // The game sums in double precision; so do we, so sizes match its own.
            const double s = static_cast<double>(v[0]) * tex.vecs[k][0] +
                             static_cast<double>(v[1]) * tex.vecs[k][1] +
                             static_cast<double>(v[2]) * tex.vecs[k][2] + tex.vecs[k][3];
            mins[k] = std::min(mins[k], s);
            maxs[k] = std::max(maxs[k], s);
        }
    }
    int size[2];
    for (int k = 0; k < 2; ++k) {
        if (!std::isfinite(mins[k]) || !std::isfinite(maxs[k]) || maxs[k] - mins[k] > 1e6) {
            return false;
        }
        const double lo = std::floor(mins[k] / 16);
        const double hi = std::ceil(maxs[k] / 16);
        size[k] = static_cast<int>(hi - lo) + 1;
        if (size[k] > kMaxLightmapSide || size[k] < 1) {
            return false;
        }
    }
    width = size[0];
    height = size[1];
    return true;
}

std::vector<Vec3> Bsp::FaceVertices(const BspFace& face) const {
    std::vector<Vec3> out;
    for (int i = 0; i < face.numEdges; ++i) {
        const std::size_t at =
            static_cast<std::size_t>(face.firstEdge) + static_cast<std::size_t>(i);
        if (face.firstEdge < 0 || at >= surfEdges.size()) {
            break;
        }
        const std::int32_t e = surfEdges[at];
        const std::size_t edge =
            static_cast<std::size_t>(e < 0 ? -static_cast<std::int64_t>(e) : e);
        if (edge >= edges.size()) {
            break;
        }
        const std::uint16_t v = e < 0 ? edges[edge].v[1] : edges[edge].v[0];
        if (v < vertices.size()) {
            out.push_back(vertices[v]);
        }
    }
    return out;
}

int Bsp::ClusterCount() const {
    if (visibility.size() < 4) {
        return 0;
    }
    return ByteReader(visibility).I32(0);
}

const BspEntity* Bsp::FindEntity(const std::string& className) const {
    for (const BspEntity& e : entities) {
        if (e.ClassName() == className) {
            return &e;
        }
    }
    return nullptr;
}

const BspModel* Bsp::InlineModel(const std::string& name) const {
    if (name.size() < 2 || name[0] != '*' || name.size() > 6) {
        return nullptr;
    }
    std::size_t n = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') {
            return nullptr;
        }
        n = n * 10 + static_cast<std::size_t>(name[i] - '0');
    }
    return n >= 1 && n < models.size() ? &models[n] : nullptr;
}

std::vector<std::uint8_t> ClusterVisibility(const Bsp& bsp, int cluster) {
    const int clusters = bsp.ClusterCount();
    const std::size_t rowBytes = clusters > 0 ? (static_cast<std::size_t>(clusters) + 7) / 8 : 1;
    std::vector<std::uint8_t> row(rowBytes, 0xFF);
    if (clusters <= 0 || cluster < 0 || cluster >= clusters) {
        return row;
    }
    ByteReader v(bsp.visibility);
    std::size_t in = static_cast<std::size_t>(v.I32(4 + 8 * static_cast<std::size_t>(cluster)));
    std::size_t out = 0;
    // Runs of zero bytes are stored as a zero and a count; anything past the lump ends the row
    // with nothing more visible.
    while (out < rowBytes) {
        if (in >= bsp.visibility.size()) {
            std::fill(row.begin() + static_cast<std::ptrdiff_t>(out), row.end(), 0);
            break;
        }
        const std::uint8_t b = bsp.visibility[in++];
        if (b != 0) {
            row[out++] = b;
            continue;
        }
        const std::size_t count = in < bsp.visibility.size() ? bsp.visibility[in++] : 0;
        for (std::size_t k = 0; k < count && out < rowBytes; ++k) {
            row[out++] = 0;
        }
        if (count == 0) {
            std::fill(row.begin() + static_cast<std::ptrdiff_t>(out), row.end(), 0);
            break;
        }
    }
    return row;
}

} // namespace formats
