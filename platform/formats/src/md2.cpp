#include "formats/md2.h"

#include <cmath>

#include "byte_reader.h"
#include "format_error.h"

namespace formats {

using detail::ByteReader;
using detail::Fail;

namespace {

constexpr std::size_t kHeaderSize = 68;
constexpr std::size_t kSkinNameSize = 64;
constexpr std::size_t kFrameHeaderSize = 40;

// Offsets of the header's fields, in file order.
enum Field : std::size_t {
    F_IDENT,
    F_VERSION,
    F_SKINWIDTH,
    F_SKINHEIGHT,
    F_FRAMESIZE,
    F_NUM_SKINS,
    F_NUM_XYZ,
    F_NUM_ST,
    F_NUM_TRIS,
    F_NUM_GLCMDS,
    F_NUM_FRAMES,
    F_OFS_SKINS,
    F_OFS_ST,
    F_OFS_TRIS,
    F_OFS_FRAMES,
    F_OFS_GLCMDS,
    F_OFS_END
};

std::int32_t Header(const ByteReader& r, Field f) {
    return r.I32(4 * static_cast<std::size_t>(f));
}

bool Section(const ByteReader& r, Field offsetField, std::size_t count, std::size_t recordSize,
             const char* what, std::string& error) {
    const std::int32_t offset = Header(r, offsetField);
    if (offset < 0 || !r.Has(static_cast<std::size_t>(offset), count * recordSize)) {
        return Fail(error, "model: the %s lie outside the file", what);
    }
    return true;
}

bool Count(std::int32_t value, int low, int high, const char* what, std::string& error) {
    if (value < low || value > high) {
        return Fail(error, "model: %d %s, at most %d are read", value, what, high);
    }
    return true;
}

// GL commands: a count (positive strip, negative fan, 0 ends), then per vertex s, t (floats)
// and a vertex index.
bool GlCommands(const ByteReader& r, std::size_t offset, std::size_t count, int numVertices,
                std::vector<std::int32_t>& out, std::string& error) {
    out.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        out[i] = r.I32(offset + 4 * i);
    }
    std::size_t at = 0;
    while (at < count) {
        const std::int32_t n = out[at++];
        if (n == 0) {
            return true;
        }
        const std::size_t vertices =
            static_cast<std::size_t>(n < 0 ? -static_cast<std::int64_t>(n) : n);
        if (vertices > count || vertices * 3 > count - at) {
            return Fail(error, "model: a GL command at %zu runs past the %zu command words", at - 1,
                        count);
        }
        for (std::size_t v = 0; v < vertices; ++v) {
            const std::int32_t index = out[at + 3 * v + 2];
            if (index < 0 || index >= numVertices) {
                return Fail(error, "model: a GL command names vertex %d of %d", index, numVertices);
            }
        }
        at += vertices * 3;
    }
    if (count > 0) {
        return Fail(error, "model: the GL commands have no end mark");
    }
    return true;
}

} // namespace

Vec3 Md2Frame::Position(std::size_t i) const {
    const Md2Vertex& v = vertices.at(i);
    return {v.v[0] * scale[0] + translate[0], v.v[1] * scale[1] + translate[1],
            v.v[2] * scale[2] + translate[2]};
}

bool ReadMd2(Bytes bytes, Md2& out, std::string& error) {
    out = Md2{};
    const ByteReader r(bytes);
    if (r.Size() < kHeaderSize) {
        return Fail(error, "model: the file is too short for a header (%zu bytes)", r.Size());
    }
    if (r.U32(0) != 0x32504449u) { // "IDP2"
        return Fail(error, "model: not a model file (no IDP2 mark)");
    }
    if (Header(r, F_VERSION) != kMd2Version) {
        return Fail(error, "model: version %d, only version 8 is read", Header(r, F_VERSION));
    }
    const std::int32_t numSkins = Header(r, F_NUM_SKINS);
    const std::int32_t numVertices = Header(r, F_NUM_XYZ);
    const std::int32_t numSt = Header(r, F_NUM_ST);
    const std::int32_t numTris = Header(r, F_NUM_TRIS);
    const std::int32_t numGl = Header(r, F_NUM_GLCMDS);
    const std::int32_t numFrames = Header(r, F_NUM_FRAMES);
    if (!Count(numSkins, 0, kMd2MaxSkins, "skins", error) ||
        !Count(numVertices, 1, kMd2MaxVertices, "vertices", error) ||
        !Count(numSt, 0, kMd2MaxVertices * 4, "skin coordinates", error) ||
        !Count(numTris, 1, kMd2MaxTriangles, "triangles", error) ||
        !Count(numGl, 0, 16 * 1024 * 1024, "GL command words", error) ||
        !Count(numFrames, 1, kMd2MaxFrames, "frames", error)) {
        return false;
    }
    const std::int32_t skinWidth = Header(r, F_SKINWIDTH);
    const std::int32_t skinHeight = Header(r, F_SKINHEIGHT);
    if (skinWidth <= 0 || skinHeight <= 0 || skinWidth > 4096 || skinHeight > 4096) {
        return Fail(error, "model: skin size %d x %d is out of range", skinWidth, skinHeight);
    }
    const std::int32_t frameSize = Header(r, F_FRAMESIZE);
    const std::size_t minFrameSize = kFrameHeaderSize + 4 * static_cast<std::size_t>(numVertices);
    if (frameSize < 0 || static_cast<std::size_t>(frameSize) < minFrameSize) {
        return Fail(error, "model: frame size %d is less than the %zu its vertices need", frameSize,
                    minFrameSize);
    }
    const auto skins = static_cast<std::size_t>(numSkins);
    const auto vertices = static_cast<std::size_t>(numVertices);
    const auto sts = static_cast<std::size_t>(numSt);
    const auto tris = static_cast<std::size_t>(numTris);
    const auto gls = static_cast<std::size_t>(numGl);
    const auto frames = static_cast<std::size_t>(numFrames);
    if (!Section(r, F_OFS_SKINS, skins, kSkinNameSize, "skin names", error) ||
        !Section(r, F_OFS_ST, sts, 4, "skin coordinates", error) ||
        !Section(r, F_OFS_TRIS, tris, 12, "triangles", error) ||
        !Section(r, F_OFS_FRAMES, frames, static_cast<std::size_t>(frameSize), "frames", error) ||
        !Section(r, F_OFS_GLCMDS, gls, 4, "GL commands", error)) {
        return false;
    }
    out.skinWidth = skinWidth;
    out.skinHeight = skinHeight;
    out.numVertices = numVertices;

    const auto ofsSkins = static_cast<std::size_t>(Header(r, F_OFS_SKINS));
    for (std::size_t i = 0; i < skins; ++i) {
        out.skins.push_back(r.Name(ofsSkins + kSkinNameSize * i, kSkinNameSize));
    }
    const auto ofsSt = static_cast<std::size_t>(Header(r, F_OFS_ST));
    out.st.resize(sts);
    for (std::size_t i = 0; i < sts; ++i) {
        out.st[i] = {r.I16(ofsSt + 4 * i), r.I16(ofsSt + 4 * i + 2)};
    }
    const auto ofsTris = static_cast<std::size_t>(Header(r, F_OFS_TRIS));
    out.triangles.resize(tris);
    for (std::size_t i = 0; i < tris; ++i) {
        Md2Triangle& t = out.triangles[i];
        for (std::size_t k = 0; k < 3; ++k) {
            t.vertex[k] = r.U16(ofsTris + 12 * i + 2 * k);
            t.st[k] = r.U16(ofsTris + 12 * i + 6 + 2 * k);
            if (t.vertex[k] >= vertices) {
                return Fail(error, "model: triangle %zu names vertex %u of %zu", i, t.vertex[k],
                            vertices);
            }
            if (t.st[k] >= sts) {
                return Fail(error, "model: triangle %zu names skin coordinate %u of %zu", i,
                            t.st[k], sts);
            }
        }
    }
    const auto ofsFrames = static_cast<std::size_t>(Header(r, F_OFS_FRAMES));
    out.frames.resize(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        const std::size_t at = ofsFrames + static_cast<std::size_t>(frameSize) * i;
        Md2Frame& f = out.frames[i];
        for (std::size_t k = 0; k < 3; ++k) {
            f.scale[k] = r.F32(at + 4 * k);
            f.translate[k] = r.F32(at + 12 + 4 * k);
            if (!std::isfinite(f.scale[k]) || !std::isfinite(f.translate[k])) {
                return Fail(error, "model: frame %zu's scale or offset is no number", i);
            }
        }
        f.name = r.Name(at + 24, 16);
        f.vertices.resize(vertices);
        for (std::size_t v = 0; v < vertices; ++v) {
            const std::size_t vat = at + kFrameHeaderSize + 4 * v;
            Md2Vertex& mv = f.vertices[v];
            mv.v[0] = r.U8(vat);
            mv.v[1] = r.U8(vat + 1);
            mv.v[2] = r.U8(vat + 2);
            mv.normalIndex = r.U8(vat + 3);
        }
    }
    return GlCommands(r, static_cast<std::size_t>(Header(r, F_OFS_GLCMDS)), gls, numVertices,
                      out.glCommands, error);
}

} // namespace formats
