#include "models.h"

#include "formats/md2.h"

namespace refsoft {

std::unique_ptr<model_s> LoadAliasModel(const std::string& name,
                                        const std::vector<std::uint8_t>& bytes, ImageCache& images,
                                        int registration, std::string& error) {
    formats::Md2 md2;
    if (!formats::ReadMd2(bytes, md2, error))
        return nullptr;
    if (md2.frames.empty() || md2.numVertices <= 0 || md2.skinWidth <= 0 || md2.skinHeight <= 0) {
        error = "model: nothing to draw";
        return nullptr;
    }
    auto data = std::make_unique<AliasData>();
    const float invW = 1.0f / static_cast<float>(md2.skinWidth);
    const float invH = 1.0f / static_cast<float>(md2.skinHeight);
    const auto count = static_cast<std::size_t>(md2.numVertices);
    for (const formats::Md2Triangle& tri : md2.triangles) {
        bool valid = true;
        for (int k = 0; k < 3; ++k)
            valid = valid && tri.vertex[k] < count && tri.st[k] < md2.st.size();
        if (!valid)
            continue;
        AliasData::Triangle out{};
        for (int k = 0; k < 3; ++k) {
            out.vertex[k] = tri.vertex[k];
            const formats::Md2St& st = md2.st[tri.st[k]];
            out.s[k] = (static_cast<float>(st.s) + 0.5f) * invW;
            out.t[k] = (static_cast<float>(st.t) + 0.5f) * invH;
        }
        data->triangles.push_back(out);
    }
    for (const formats::Md2Frame& frame : md2.frames) {
        AliasData::Frame out;
        out.positions.resize(count);
        out.normals.assign(count, Vec3{});
        for (std::size_t i = 0; i < count && i < frame.vertices.size(); ++i) {
            const formats::Vec3 p = frame.Position(i);
            out.positions[i] = {p[0], p[1], p[2]};
        }
        // The game lists a triangle's corners clockwise seen from outside.
        for (const AliasData::Triangle& tri : data->triangles) {
            const Vec3 a = out.positions[tri.vertex[0]];
            const Vec3 b = out.positions[tri.vertex[1]];
            const Vec3 c = out.positions[tri.vertex[2]];
            const Vec3 n = Cross(c - a, b - a);
            for (int k = 0; k < 3; ++k)
                out.normals[tri.vertex[k]] = out.normals[tri.vertex[k]] + n;
        }
        for (Vec3& n : out.normals)
            n = Normalized(n);
        data->frames.push_back(std::move(out));
    }
    for (const std::string& skin : md2.skins)
        data->skins.push_back(images.Find(skin, registration));

    auto model = std::make_unique<model_s>();
    model->kind = model_s::Kind::Alias;
    model->name = name;
    model->alias = std::move(data);
    return model;
}

} // namespace refsoft
