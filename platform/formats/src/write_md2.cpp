#include "byte_reader.h"
#include "formats/write.h"

namespace formats {

using detail::ByteWriter;

std::vector<std::uint8_t> WriteMd2(const Md2& model) {
    const std::size_t frameSize = 40 + 4 * static_cast<std::size_t>(model.numVertices);
    const std::size_t ofsSkins = 68;
    const std::size_t ofsSt = ofsSkins + 64 * model.skins.size();
    const std::size_t ofsTris = ofsSt + 4 * model.st.size();
    const std::size_t ofsFrames = ofsTris + 12 * model.triangles.size();
    const std::size_t ofsGl = ofsFrames + frameSize * model.frames.size();
    const std::size_t ofsEnd = ofsGl + 4 * model.glCommands.size();
    ByteWriter w;
    w.U32(0x32504449u); // "IDP2"
    w.I32(kMd2Version);
    for (std::size_t v :
         {static_cast<std::size_t>(model.skinWidth), static_cast<std::size_t>(model.skinHeight),
          frameSize, model.skins.size(), static_cast<std::size_t>(model.numVertices),
          model.st.size(), model.triangles.size(), model.glCommands.size(), model.frames.size(),
          ofsSkins, ofsSt, ofsTris, ofsFrames, ofsGl, ofsEnd}) {
        w.U32(static_cast<std::uint32_t>(v));
    }
    for (const std::string& skin : model.skins) {
        w.Name(skin, 64);
    }
    for (const Md2St& st : model.st) {
        w.I16(st.s);
        w.I16(st.t);
    }
    for (const Md2Triangle& t : model.triangles) {
        for (std::uint16_t v : t.vertex) {
            w.U16(v);
        }
        for (std::uint16_t v : t.st) {
            w.U16(v);
        }
    }
    for (const Md2Frame& f : model.frames) {
        for (float v : f.scale) {
            w.F32(v);
        }
        for (float v : f.translate) {
            w.F32(v);
        }
        w.Name(f.name, 16);
        for (std::size_t i = 0; i < static_cast<std::size_t>(model.numVertices); ++i) {
            const Md2Vertex v = i < f.vertices.size() ? f.vertices[i] : Md2Vertex{};
            w.U8(v.v[0]);
            w.U8(v.v[1]);
            w.U8(v.v[2]);
            w.U8(v.normalIndex);
        }
    }
    for (std::int32_t c : model.glCommands) {
        w.I32(c);
    }
    return std::move(w.Out());
}

} // namespace formats
