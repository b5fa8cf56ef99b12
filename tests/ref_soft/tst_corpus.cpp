// Real maps: each loads and renders from its player start, and the faces the renderer shows
// agree with a ray cast through the same view.
#include "soft_harness.h"

#include "formats/bsp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

namespace refsoft_test {
namespace {

namespace fs = std::filesystem;

struct V {
    double x, y, z;
};
V Sub(V a, V b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double Dot(V a, V b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
V Cross(V a, V b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
V Add(V a, V b, double s) {
    return {a.x + b.x * s, a.y + b.y * s, a.z + b.z * s};
}

struct Face {
    std::vector<V> corners;
    V normal;
    double dist;
};

// The faces of the world model that a renderer draws, as the map gives them.
std::vector<Face> WorldFaces(const formats::Bsp& bsp) {
    std::vector<Face> faces(bsp.faces.size());
    const formats::BspModel& world = bsp.models[0];
    for (int i = world.firstFace; i < world.firstFace + world.numFaces; ++i) {
        const formats::BspFace& f = bsp.faces[i];
        if (bsp.texInfo[f.texInfo].flags & (formats::SURF_NODRAW | formats::SURF_SKIP))
            continue;
        const formats::BspPlane& p = bsp.planes[f.plane];
        const double s = f.side ? -1 : 1;
        faces[i].normal = {p.normal[0] * s, p.normal[1] * s, p.normal[2] * s};
        faces[i].dist = p.dist * s;
        for (const formats::Vec3& c : bsp.FaceVertices(f))
            faces[i].corners.push_back({c[0], c[1], c[2]});
    }
    return faces;
}

// The face a ray from eye along dir meets first among faces turned towards the eye: its
// number plus 1, or 0.
std::uint32_t CastRay(const std::vector<Face>& faces, V eye, V dir) {
    double best = 1e30;
    std::uint32_t id = 0;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        const Face& f = faces[i];
        if (f.corners.size() < 3 || Dot(eye, f.normal) - f.dist <= 0.01)
            continue;
        const double denom = Dot(dir, f.normal);
        if (denom >= 0)
            continue;
        const double t = (f.dist - Dot(eye, f.normal)) / denom;
        if (t <= 0 || t >= best)
            continue;
        const V hit = Add(eye, dir, t);
        bool inside = true;
        for (std::size_t k = 0; k < f.corners.size() && inside; ++k) {
            const V a = f.corners[k], b = f.corners[(k + 1) % f.corners.size()];
            inside = Dot(Cross(Sub(b, a), Sub(hit, a)), f.normal) >= 0;
        }
        if (!inside) {
            // The corners may run the other way round.
            inside = true;
            for (std::size_t k = 0; k < f.corners.size() && inside; ++k) {
                const V a = f.corners[k], b = f.corners[(k + 1) % f.corners.size()];
                inside = Dot(Cross(Sub(b, a), Sub(hit, a)), f.normal) <= 0;
            }
        }
        if (inside) {
            best = t;
            id = static_cast<std::uint32_t>(i + 1);
        }
    }
    return id;
}

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(RefSoftCorpus, MapsRenderTheFacesARayCastFinds) {
    const fs::path dir = fs::path(CINERAD_CORPUS_DIR) / "assets" / "bsp";
    if (!fs::is_directory(dir))
        GTEST_SKIP() << "no corpus maps in " << dir;
    int maps = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        if (entry.path().extension() != ".bsp")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const std::vector<std::uint8_t> bytes = ReadAll(entry.path());
        formats::Bsp bsp;
        std::string error;
        ASSERT_TRUE(formats::ReadBsp(bytes, bsp, error)) << error;

        // The renderer loads maps/NAME.bsp from the base directory: a link to the corpus file.
        const fs::path base =
            fs::temp_directory_path() / ("ref_soft_corpus_" + std::to_string(::getpid()));
        fs::create_directories(base / "maps");
        const std::string name = entry.path().stem().string();
        fs::remove(base / "maps" / (name + ".bsp"));
        fs::create_symlink(entry.path(), base / "maps" / (name + ".bsp"));
        {
            SoftRenderer r({}, base.string() + "/");
            ASSERT_TRUE(r.Init());
            r.NormalLight();
            r.library->BeginRegistration(name.c_str());
            ASSERT_NE(r.library->RegisterModel(("maps/" + name + ".bsp").c_str()), nullptr);
            r.library->EndRegistration();

            formats::Vec3 origin{0, 0, 0};
            float yaw = 0;
            if (const formats::BspEntity* start = bsp.FindEntity("info_player_start")) {
                origin = start->GetVec3("origin").value_or(origin);
                if (const std::string* angle = start->Get("angle"))
                    yaw = std::strtof(angle->c_str(), nullptr);
            }
            refdef_t& fd = r.fd();
            fd.width = 160;
            fd.height = 120;
            fd.fov_x = 90;
            fd.vieworg[0] = origin[0];
            fd.vieworg[1] = origin[1];
            fd.vieworg[2] = origin[2] + 22; // eye height above the start
            const std::vector<Face> faces = WorldFaces(bsp);
            int agree = 0, total = 0, seen = 0;
            for (float turn : {0.0f, 90.0f, 180.0f, 270.0f}) {
                fd.viewangles[0] = 10;
                fd.viewangles[1] = yaw + turn;
                r.Frame();
                r.FaceFrame();
                // The same view by hand: the game's angle vectors, 90 degrees across.
                const double d2r = std::numbers::pi / 180.0;
                const double p = fd.viewangles[0] * d2r, y = fd.viewangles[1] * d2r;
                const V forward{std::cos(p) * std::cos(y), std::cos(p) * std::sin(y), -std::sin(p)};
                const V right{std::sin(y), -std::cos(y), 0};
                const V up = Cross(right, forward);
                const double tanX = 1.0, tanY = 120.0 / 160.0;
                const V eye{fd.vieworg[0], fd.vieworg[1], fd.vieworg[2]};
                for (int py = 2; py < 120; py += 5) {
                    for (int px = 2; px < 160; px += 5) {
                        const double sx = ((px + 0.5) - 80.0) / 80.0 * tanX;
                        const double sy = (60.0 - (py + 0.5)) / 60.0 * tanY;
                        const V ray = Add(Add(forward, right, sx), up, sy);
                        const std::uint32_t expected = CastRay(faces, eye, ray);
                        ++total;
                        seen += expected != 0 ? 1 : 0;
                        agree += r.platform.At(px, py) == expected ? 1 : 0;
                    }
                }
            }
            EXPECT_GE(agree * 100, total * 97) << agree << " of " << total;
            // The view is inside the map: most rays meet a face.
            EXPECT_GT(seen * 2, total) << seen << " of " << total;
        }
        fs::remove_all(base);
        ++maps;
    }
    EXPECT_GT(maps, 0);
}

} // namespace
} // namespace refsoft_test
