// The software renderer's frame time: a map at 640 x 480 from ten viewpoints, the plug-in
// loaded through the host's binding as the preview loads it.
//
// Argument: a map file (default: the corpus' hyper02_hpqdm1.bsp, else the generated room).
#include "scene_assets.h"
#include "soft_harness.h"

#include "formats/bsp.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using namespace refsoft_test;

std::string g_mapPath;

struct View {
    float origin[3];
    float yaw;
};

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Ten views: the map's spawn points (each turned a different way), then turns about the
// first one.
std::vector<View> Views(const formats::Bsp& bsp) {
    std::vector<View> views;
    for (const formats::BspEntity& e : bsp.entities) {
        const std::string cls = e.ClassName();
        if (cls.rfind("info_player", 0) != 0)
            continue;
        if (auto o = e.GetVec3("origin"))
            views.push_back(
                {{(*o)[0], (*o)[1], (*o)[2] + 22}, 36.0f * static_cast<float>(views.size())});
        if (views.size() == 10)
            break;
    }
    if (views.empty())
        views.push_back({{0, 0, 0}, 0});
    for (std::size_t i = views.size(); i < 10; ++i)
        views.push_back({{views[0].origin[0], views[0].origin[1], views[0].origin[2]}, 36.0f * i});
    return views;
}

void BM_RenderFrame640x480(benchmark::State& state) {
    Files files = SceneFiles();
    std::vector<std::uint8_t> map = files["maps/room.bsp"];
    if (!g_mapPath.empty() && fs::exists(g_mapPath))
        map = ReadAll(g_mapPath);
    files["maps/bench.bsp"] = map;
    formats::Bsp bsp;
    std::string error;
    if (!formats::ReadBsp(map, bsp, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    SoftRenderer r(files);
    r.host.SetVideoInfo(640, 480);
    if (!r.Init()) {
        state.SkipWithError("the renderer did not start");
        return;
    }
    r.NormalLight();
    r.platform.windowWidth = 640;
    r.platform.windowHeight = 480;
    r.library->BeginRegistration("bench");
    r.library->RegisterModel("maps/bench.bsp");
    r.library->EndRegistration();
    refdef_t& fd = r.fd();
    fd.width = 640;
    fd.height = 480;
    fd.fov_x = 90;
    const std::vector<View> views = Views(bsp);
    std::size_t next = 0;
    for (auto _ : state) {
        const View& v = views[next++ % views.size()];
        std::copy(v.origin, v.origin + 3, fd.vieworg);
        fd.viewangles[1] = v.yaw;
        r.library->BeginFrame(0);
        r.library->RenderFrame();
        r.library->EndFrame();
        benchmark::DoNotOptimize(r.platform.pixels.data());
    }
}
BENCHMARK(BM_RenderFrame640x480)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    g_mapPath =
        argc > 1 ? argv[1] : std::string(CINERAD_CORPUS_DIR) + "/assets/bsp/hyper02_hpqdm1.bsp";
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
