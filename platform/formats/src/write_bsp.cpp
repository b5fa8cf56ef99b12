#include "byte_reader.h"
#include "formats/write.h"

namespace formats {

using detail::ByteWriter;

namespace {

void Lump(ByteWriter& w, int lump, const auto& write) {
    while (w.Size() % 4 != 0) {
        w.U8(0);
    }
    const std::size_t start = w.Size();
    write();
    w.PatchU32(8 + 8 * static_cast<std::size_t>(lump), static_cast<std::uint32_t>(start));
    w.PatchU32(12 + 8 * static_cast<std::size_t>(lump),
               static_cast<std::uint32_t>(w.Size() - start));
}

void Raw(ByteWriter& w, const std::vector<std::uint8_t>& bytes) {
    w.Raw(bytes.data(), bytes.size());
}

} // namespace

std::vector<std::uint8_t> WriteBsp(const Bsp& bsp) {
    ByteWriter w;
    w.U32(0x50534249u); // "IBSP"
    w.I32(kBspVersion);
    for (int i = 0; i < kBspLumpCount; ++i) {
        w.U32(0);
        w.U32(0);
    }
    Lump(w, LUMP_ENTITIES, [&] {
        w.Raw(reinterpret_cast<const std::uint8_t*>(bsp.entityText.data()), bsp.entityText.size());
        w.U8(0);
    });
    Lump(w, LUMP_PLANES, [&] {
        for (const BspPlane& p : bsp.planes) {
            for (float f : p.normal) {
                w.F32(f);
            }
            w.F32(p.dist);
            w.I32(p.type);
        }
    });
    Lump(w, LUMP_VERTEXES, [&] {
        for (const Vec3& v : bsp.vertices) {
            for (float f : v) {
                w.F32(f);
            }
        }
    });
    Lump(w, LUMP_VISIBILITY, [&] { Raw(w, bsp.visibility); });
    Lump(w, LUMP_NODES, [&] {
        for (const BspNode& n : bsp.nodes) {
            w.I32(n.plane);
            w.I32(n.children[0]);
            w.I32(n.children[1]);
            for (std::int16_t v : n.mins) {
                w.I16(v);
            }
            for (std::int16_t v : n.maxs) {
                w.I16(v);
            }
            w.U16(n.firstFace);
            w.U16(n.numFaces);
        }
    });
    Lump(w, LUMP_TEXINFO, [&] {
        for (const BspTexInfo& t : bsp.texInfo) {
            for (const auto& axis : t.vecs) {
                for (float f : axis) {
                    w.F32(f);
                }
            }
            w.U32(t.flags);
            w.I32(t.value);
            w.Name(t.texture, 32);
            w.I32(t.nextTexInfo);
        }
    });
    Lump(w, LUMP_FACES, [&] {
        for (const BspFace& f : bsp.faces) {
            w.U16(f.plane);
            w.I16(f.side);
            w.I32(f.firstEdge);
            w.I16(f.numEdges);
            w.I16(f.texInfo);
            for (std::uint8_t s : f.styles) {
                w.U8(s);
            }
            w.I32(f.lightOffset);
        }
    });
    Lump(w, LUMP_LIGHTING, [&] { Raw(w, bsp.lighting); });
    Lump(w, LUMP_LEAFS, [&] {
        for (const BspLeaf& l : bsp.leaves) {
            w.I32(l.contents);
            w.I16(l.cluster);
            w.I16(l.area);
            for (std::int16_t v : l.mins) {
                w.I16(v);
            }
            for (std::int16_t v : l.maxs) {
                w.I16(v);
            }
            w.U16(l.firstLeafFace);
            w.U16(l.numLeafFaces);
            w.U16(l.firstLeafBrush);
            w.U16(l.numLeafBrushes);
        }
    });
    Lump(w, LUMP_LEAFFACES, [&] {
        for (std::uint16_t v : bsp.leafFaces) {
            w.U16(v);
        }
    });
    Lump(w, LUMP_LEAFBRUSHES, [&] {
        for (std::uint16_t v : bsp.leafBrushes) {
            w.U16(v);
        }
    });
    Lump(w, LUMP_EDGES, [&] {
        for (const BspEdge& e : bsp.edges) {
            w.U16(e.v[0]);
            w.U16(e.v[1]);
        }
    });
    Lump(w, LUMP_SURFEDGES, [&] {
        for (std::int32_t e : bsp.surfEdges) {
            w.I32(e);
        }
    });
    Lump(w, LUMP_MODELS, [&] {
        for (const BspModel& m : bsp.models) {
            for (const Vec3* v : {&m.mins, &m.maxs, &m.origin}) {
                for (float f : *v) {
                    w.F32(f);
                }
            }
            w.I32(m.headNode);
            w.I32(m.firstFace);
            w.I32(m.numFaces);
        }
    });
    Lump(w, LUMP_BRUSHES, [&] { Raw(w, bsp.brushes); });
    Lump(w, LUMP_BRUSHSIDES, [&] { Raw(w, bsp.brushSides); });
    Lump(w, LUMP_POP, [&] { Raw(w, bsp.pop); });
    Lump(w, LUMP_AREAS, [&] { Raw(w, bsp.areas); });
    Lump(w, LUMP_AREAPORTALS, [&] { Raw(w, bsp.areaPortals); });
    return std::move(w.Out());
}

} // namespace formats
