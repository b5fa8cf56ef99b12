#include "formats_fuzz_entry.h"

#include <string>

#include "formats/bsp.h"
#include "formats/md2.h"
#include "formats/pcx.h"
#include "formats/wal.h"

namespace {

using namespace formats;

volatile unsigned g_sink; // keeps the walks from being optimised away

void WalkNode(const Bsp& bsp, std::int32_t node, unsigned& sum) {
    // Children come after their parents, so the walk ends; the depth bound is a second guard.
    for (int depth = 0; node >= 0 && depth < 100000; ++depth) {
        const BspNode& n = bsp.nodes[static_cast<std::size_t>(node)];
        sum += static_cast<unsigned>(bsp.planes[static_cast<std::size_t>(n.plane)].type);
        for (int i = 0; i < n.numFaces; ++i) {
            sum += bsp.faces[static_cast<std::size_t>(n.firstFace) + static_cast<std::size_t>(i)]
                       .plane;
        }
        if (n.children[1] >= 0) {
            WalkNode(bsp, n.children[1], sum);
        } else {
            const BspLeaf& leaf = bsp.leaves[static_cast<std::size_t>(-n.children[1] - 1)];
            for (int i = 0; i < leaf.numLeafFaces; ++i) {
                sum += bsp.leafFaces[static_cast<std::size_t>(leaf.firstLeafFace) +
                                     static_cast<std::size_t>(i)];
            }
            sum += ClusterVisibility(bsp, leaf.cluster).size();
        }
        node = n.children[0];
    }
}

void WalkMap(const Bsp& bsp) {
    unsigned sum = 0;
    for (const BspModel& m : bsp.models) {
        if (bsp.nodes.size() > 0 && m.headNode >= 0) {
            WalkNode(bsp, m.headNode, sum);
        }
        for (std::int32_t i = 0; i < m.numFaces; ++i) {
            sum += bsp.faces[static_cast<std::size_t>(m.firstFace + i)].plane;
        }
    }
    for (const BspFace& f : bsp.faces) {
        const BspTexInfo& tex = bsp.texInfo[static_cast<std::size_t>(f.texInfo)];
        sum += static_cast<unsigned>(bsp.FaceVertices(f).size());
        int w = 0;
        int h = 0;
        if (f.lightOffset >= 0 && !(tex.flags & (SURF_SKY | SURF_WARP)) &&
            FaceLightmapSize(bsp, f, w, h)) {
            const std::size_t maps = f.styles[0] == 255 ? 0 : 1;
            const std::size_t last = static_cast<std::size_t>(f.lightOffset) +
                                     maps * static_cast<std::size_t>(w * h) * 3;
            if (maps > 0) {
                sum += bsp.lighting[last - 1];
            }
        }
        // An animation chain is bounded by the texinfo count even when it loops.
        std::int32_t next = tex.nextTexInfo;
        for (std::size_t k = 0; next >= 0 && k < bsp.texInfo.size(); ++k) {
            next = bsp.texInfo[static_cast<std::size_t>(next)].nextTexInfo;
        }
    }
    for (const BspLeaf& leaf : bsp.leaves) {
        sum += ClusterVisibility(bsp, leaf.cluster).size();
    }
    g_sink = sum;
}

void WalkModel(const Md2& m) {
    unsigned sum = 0;
    for (const Md2Frame& f : m.frames) {
        for (const Md2Triangle& t : m.triangles) {
            for (int k = 0; k < 3; ++k) {
                sum += f.vertices[t.vertex[k]].v[0];
                sum += static_cast<unsigned>(m.st[t.st[k]].s);
            }
        }
    }
    g_sink = sum;
}

} // namespace

void ReadArbitraryAssetBytes(const uint8_t* data, size_t size) {
    const Bytes bytes(data, size);
    std::string error;
    Bsp bsp;
    if (ReadBsp(bytes, bsp, error)) {
        WalkMap(bsp);
    }
    Md2 model;
    if (ReadMd2(bytes, model, error)) {
        WalkModel(model);
    }
    Pcx picture;
    if (ReadPcx(bytes, picture, error)) {
        g_sink = picture.pixels[picture.pixels.size() - 1];
    }
    Wal texture;
    if (ReadWal(bytes, texture, error)) {
        g_sink = texture.mips[0][texture.mips[0].size() - 1];
    }
    std::vector<BspEntity> entities;
    ParseBspEntities(std::string(reinterpret_cast<const char*>(data), size), entities, error);
}
