// The plug-in's interface: the export table, Init through the platform table, Shutdown,
// registration, and robustness against broken files and frame descriptions.
#include "scene_fixture.h"

#include "formats/write.h"

#include <dlfcn.h>
#include <random>

namespace refsoft_test {
namespace {

TEST(RefSoftPlugin, ExportsOnlyGetRefApiWithEveryEntryOfVersion3) {
    void* handle = dlopen(REF_SOFT_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr) << dlerror();
    EXPECT_NE(dlsym(handle, "GetRefAPI"), nullptr);
    // That nothing else is exported is checked on the library file (exports_check.cmake).
    dlclose(handle);

    SoftRenderer r;
    ASSERT_TRUE(r.library->IsBound());
    const refexport_t& re = r.re();
    EXPECT_EQ(re.api_version, 3);
    const void* const* slots = reinterpret_cast<const void* const*>(&re.Init);
    for (int i = 0; i < 21; ++i)
        EXPECT_NE(slots[i], nullptr) << "slot " << i + 1;
}

TEST(RefSoftPlugin, InitOpensTheWindowOnlyThroughAValidPlatformTable) {
    SoftRenderer r(SceneFiles());
    EXPECT_EQ(r.library->Init(nullptr, nullptr), 0);
    TestPlatform old;
    old.table.version = ORRERY_PLATFORM_VERSION + 1;
    EXPECT_EQ(r.library->Init(&old.table, nullptr), 0);
    TestPlatform small;
    small.table.size = sizeof(orrery_platform_t) - 8;
    EXPECT_EQ(r.library->Init(&small.table, nullptr), 0);
    EXPECT_EQ(old.opened + small.opened, 0);
    r.platform.refuseWindow = true;
    EXPECT_FALSE(r.Init());
    r.platform.refuseWindow = false;
    // Frames without a window present nothing.
    r.library->BeginFrame(0);
    r.library->RenderFrame();
    r.library->EndFrame();
    EXPECT_EQ(r.platform.presented, 0);

    r.host.SetVideoInfo(512, 384);
    ASSERT_TRUE(r.Init());
    EXPECT_EQ(r.platform.opened, 1);
    EXPECT_EQ(r.platform.openWidth, 512);
    EXPECT_EQ(r.platform.openHeight, 384);
    EXPECT_FALSE(r.platform.title.empty());
    r.library->BeginFrame(0);
    r.library->EndFrame();
    EXPECT_EQ(r.platform.presented, 1);
    EXPECT_EQ(r.platform.width, 512);
}

TEST(RefSoftPlugin, ShutdownClosesOnceAndLeavesEverySlotHarmless) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    SoftRenderer& r = scene.r;
    r.library->Shutdown();
    r.library->Shutdown();
    EXPECT_EQ(r.platform.closed, 1);
    const refexport_t& re = r.re();
    re.BeginFrame(0);
    re.RenderFrame(&r.fd());
    re.DrawChar(0, 0, 'A');
    re.DrawFill(0, 0, 10, 10, 3);
    re.DrawTileClear(0, 0, 10, 10, "colormap");
    re.DrawFadeScreen();
    unsigned char raw[4] = {1, 2, 3, 4};
    re.DrawStretchRaw(0, 0, 10, 10, 2, 2, raw);
    re.CinematicSetPalette(nullptr);
    re.AppActivate(1);
    re.EndFrame();
    EXPECT_EQ(r.platform.presented, 0);
    // A second Init works again, and the binding's destructor shuts down once more.
    EXPECT_TRUE(r.Init());
    EXPECT_EQ(r.platform.opened, 2);
}

TEST(RefSoftPlugin, TheSameMapAgainIsTheCachedWorld) {
    Files files = SceneFiles();
    RoomOptions other;
    other.light = 30;
    files["maps/other.bsp"] = formats::WriteBsp(BoxRoom(other));
    SoftRenderer r(files);
    ASSERT_TRUE(r.Init());
    r.library->BeginRegistration("room");
    model_s* world = r.library->RegisterModel("maps/room.bsp");
    model_s* sub = r.library->RegisterModel("*1");
    ASSERT_NE(world, nullptr);
    r.library->EndRegistration();
    r.library->BeginRegistration("room");
    EXPECT_EQ(r.library->RegisterModel("maps/room.bsp"), world);
    EXPECT_EQ(r.library->RegisterModel("*1"), sub);
    r.library->EndRegistration();
    r.library->BeginRegistration("other");
    EXPECT_NE(r.library->RegisterModel("maps/other.bsp"), world);
    EXPECT_NE(r.library->RegisterModel("*1"), sub);
    // A missing map leaves nothing to draw but frames still come.
    r.library->BeginRegistration("nosuchmap");
    EXPECT_EQ(r.library->RegisterModel("maps/nosuchmap.bsp"), nullptr);
    EXPECT_EQ(r.library->RegisterModel("*1"), nullptr);
    r.Frame();
    EXPECT_EQ(r.platform.presented, 1);
    EXPECT_EQ(r.platform.At(160, 120), 0xff000000u);
}

TEST(RefSoftPlugin, DamagedMapsAreRefusedOrDrawnWithoutHarm) {
    const std::vector<std::uint8_t> good = formats::WriteBsp(BoxRoom());
    Files files = SceneFiles();
    std::mt19937 random(38);
    const int kMaps = 60;
    for (int i = 0; i < kMaps; ++i) {
        std::vector<std::uint8_t> bytes = good;
        if (i % 3 == 0)
            bytes.resize(random() % bytes.size());
        const int flips = 1 + static_cast<int>(random() % 12);
        for (int k = 0; k < flips && !bytes.empty(); ++k)
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        files["maps/damaged" + std::to_string(i) + ".bsp"] = bytes;
    }
    SoftRenderer r(files);
    ASSERT_TRUE(r.Init());
    r.NormalLight();
    int loaded = 0;
    for (int i = 0; i < kMaps; ++i) {
        const std::string name = "damaged" + std::to_string(i);
        r.library->BeginRegistration(name.c_str());
        if (r.library->RegisterModel(("maps/" + name + ".bsp").c_str()))
            ++loaded;
        model_s* sub = r.library->RegisterModel("*1");
        entity_t ent{};
        ent.model = sub;
        r.fd().entities = &ent;
        r.fd().num_entities = sub ? 1 : 0;
        for (float yaw : {0.0f, 90.0f, 200.0f})
            for (float pitch : {-80.0f, 0.0f, 45.0f}) {
                r.fd().viewangles[0] = pitch;
                r.fd().viewangles[1] = yaw;
                r.Frame();
            }
    }
    EXPECT_EQ(r.platform.presented, kMaps * 9);
    EXPECT_GT(loaded, 0); // some damage leaves a readable map
}

TEST(RefSoftPlugin, NonsenseFrameDescriptionsDrawNothingWrong) {
    RoomScene scene;
    ASSERT_TRUE(scene.ok);
    refdef_t& fd = scene.r.fd();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        int x, y, w, h;
        float fov;
        float org;
    };
    const Case cases[] = {{0, 0, 0, 0, 90, 0},         {-100, -100, 50, 50, 90, 0},
                          {10000, 0, 320, 240, 90, 0}, {0, 0, 1 << 30, 1 << 30, 90, 0},
                          {0, 0, 320, 240, nan, 0},    {0, 0, 320, 240, 90, nan},
                          {0, 0, 320, 240, 90, 1e30f}, {-(1 << 30), 0, 1 << 30, 240, 90, 0}};
    for (const Case& c : cases) {
        fd.x = c.x;
        fd.y = c.y;
        fd.width = c.w;
        fd.height = c.h;
        fd.fov_x = c.fov;
        fd.vieworg[0] = c.org;
        fd.viewangles[1] = c.org;
        fd.lightstyles = nullptr;
        fd.time = nan;
        scene.r.Frame();
    }
    fd.x = fd.y = 0;
    fd.width = 320;
    fd.height = 240;
    fd.fov_x = 90;
    fd.vieworg[0] = 0;
    fd.viewangles[1] = 0;
    scene.r.NormalLight();
    fd.lightstyles = scene.r.library->m_lightstyles;
    scene.r.re().RenderFrame(nullptr);
    EXPECT_TRUE(PixelIs(scene.Pixel(160, 120), PaletteColour(kWallIndex[0])));
}

} // namespace
} // namespace refsoft_test
