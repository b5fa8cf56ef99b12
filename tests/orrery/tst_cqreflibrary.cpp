#include "orrery/cqrefapiimport.h"
#include "orrery/cqreflibrary.h"
#include "orrery/platform_table.h"

#include "pak_writer.h"
#include "recording_host.h"

#include <gtest/gtest.h>

#include <cmath>
#include <dlfcn.h>
#include <string>
#include <vector>

using orrery_test::FindCVar;
using orrery_test::RecordingHost;
using orrery_test::TempDir;
using orrery_test::WritePak;

namespace {

// True while the library at path is loaded in this process.
bool IsLoaded(const char* path) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (!handle)
        return false;
    dlclose(handle);
    return true;
}

// A platform table that records what the renderer asks of it.
struct FakePlatform {
    int windowsOpened = 0;
    int windowsClosed = 0;
    int framesPresented = 0;
    int openWidth = 0;
    int openHeight = 0;
    std::string openTitle;
    unsigned int firstPixel = 0;
    char window = 0; // its address is the window handle

    orrery_platform_t table{
        ORRERY_PLATFORM_VERSION, sizeof(orrery_platform_t), this, &Open, &Close, &Present, &Size};

    static FakePlatform& Self(void* context) { return *static_cast<FakePlatform*>(context); }
    static void* Open(void* context, const char* title, int width, int height) {
        FakePlatform& self = Self(context);
        ++self.windowsOpened;
        self.openTitle = title ? title : "";
        self.openWidth = width;
        self.openHeight = height;
        return &self.window;
    }
    static void Close(void* context, void* window) {
        if (window == &Self(context).window)
            ++Self(context).windowsClosed;
    }
    static int Present(void* context, void* window, const void* pixels, int width, int height,
                       int stride, int format) {
        FakePlatform& self = Self(context);
        if (window != &self.window || format != ORRERY_PIXELS_XRGB32 || stride < width * 4 ||
            height <= 0)
            return 0;
        ++self.framesPresented;
        self.firstPixel = *static_cast<const unsigned int*>(pixels);
        return 1;
    }
    static int Size(void* context, void* window, int* width, int* height) {
        if (window != &Self(context).window)
            return 0;
        *width = Self(context).openWidth;
        *height = Self(context).openHeight;
        return 1;
    }
};

class CQRefLibraryTest : public ::testing::Test {
  protected:
    TempDir dir;
    RecordingHost host;
    FakePlatform platform;

    void SetUp() override {
        const std::string pak = dir.File("pak0.pak");
        WritePak(pak, {{"maps/base1.bsp", "BSP"},
                       {"models/items/box.md2", "IDP2"},
                       {"players/male/grunt.pcx", "PCX"}});
        CQRefApiImport::AddPakFiles({pak});
        InitializeImports(&host);
    }
    void TearDown() override {
        InitializeImports(nullptr);
        CQRefApiImport::RemovePakFiles();
    }
};

TEST(CQRefLibraryUnbound, FrameDescriptionDefaultsAndNoOpCalls) {
    CQRefLibrary library(nullptr, CQRefApiImport::GetImport());
    EXPECT_EQ(library.IsBound(), 0);
    EXPECT_EQ(library.GetExports(), nullptr);

    const refdef_t& fd = library.m_refdef;
    EXPECT_EQ(fd.x, 0);
    EXPECT_EQ(fd.y, 0);
    EXPECT_EQ(fd.width, 320);
    EXPECT_EQ(fd.height, 240);
    EXPECT_EQ(fd.fov_x, 90.0f);
    EXPECT_EQ(fd.fov_y, static_cast<float>(2.0 * std::atan(0.75) * 180.0 / M_PI));
    EXPECT_NEAR(fd.fov_y, 73.7398f, 1e-4f);
    EXPECT_EQ(fd.lightstyles, library.m_lightstyles);
    EXPECT_EQ(fd.areabits, nullptr);
    EXPECT_EQ(fd.rdflags, 0);
    EXPECT_EQ(fd.num_entities, 0);
    EXPECT_EQ(fd.entities, nullptr);
    EXPECT_EQ(fd.time, 0.0f);
    for (const lightstyle_t& style : library.m_lightstyles) {
        EXPECT_EQ(style.rgb[0], 1.0f);
        EXPECT_EQ(style.rgb[1], 0.5f);
        EXPECT_EQ(style.rgb[2], 1.0f);
        EXPECT_EQ(style.white, 2.0f);
    }

    FakePlatform platform;
    EXPECT_EQ(library.Init(&platform.table, nullptr), 0);
    library.BeginRegistration("base1");
    EXPECT_EQ(library.RegisterModel("models/items/box.md2"), nullptr);
    EXPECT_EQ(library.RegisterSkin("players/male/grunt.pcx"), nullptr);
    const float axis[3] = {0, 0, 1};
    library.SetSky("unit1_", 1.0f, axis);
    library.EndRegistration();
    library.BeginFrame(0.0f);
    library.RenderFrame();
    library.DrawChar(2, 2, 'A');
    library.EndFrame();
    library.Shutdown();
    EXPECT_EQ(platform.windowsOpened, 0);
}

TEST_F(CQRefLibraryTest, LibrariesThatAreNotRenderersAreTreatedAsMissing) {
    {
        const CQRefLibrary library((dir.Path() / "ref_none.so").c_str(), host.GetImport());
        EXPECT_EQ(library.IsBound(), 0);
    }
    {
        const CQRefLibrary library(TEST_REF_NOEXPORT_PATH, host.GetImport());
        EXPECT_EQ(library.IsBound(), 0);
        EXPECT_FALSE(IsLoaded(TEST_REF_NOEXPORT_PATH)) << "unloaded again";
    }
    EXPECT_TRUE(host.printed.empty());
}

TEST_F(CQRefLibraryTest, ARendererOfAnotherInterfaceVersionIsUnloaded) {
    {
        CQRefLibrary library(TEST_REF_BADVERSION_PATH, host.GetImport());
        EXPECT_EQ(host.Texts(), std::vector<std::string>{"GetRefAPI"}) << "it was asked";
        EXPECT_EQ(library.IsBound(), 0);
        EXPECT_FALSE(IsLoaded(TEST_REF_BADVERSION_PATH));
        EXPECT_EQ(library.Init(&platform.table, nullptr), 0);
        library.BeginRegistration("base1");
    }
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"GetRefAPI"}) << "no shutdown either";
    EXPECT_EQ(platform.windowsOpened, 0);
}

TEST_F(CQRefLibraryTest, CandidatesAreTriedInOrderUntilOneBinds) {
    {
        const CQRefLibrary library(
            std::vector<std::string>{(dir.Path() / "ref_none.so").string(), TEST_REF_NOEXPORT_PATH,
                                     TEST_REF_BADVERSION_PATH, TEST_REF_PATH},
            host.GetImport());
        EXPECT_EQ(library.IsBound(), 1);
        EXPECT_EQ(library.GetPath(), TEST_REF_PATH);
        EXPECT_FALSE(IsLoaded(TEST_REF_BADVERSION_PATH)) << "passed over and unloaded";
    }
    const CQRefLibrary none(std::vector<std::string>{TEST_REF_BADVERSION_PATH}, host.GetImport());
    EXPECT_EQ(none.IsBound(), 0);
    EXPECT_EQ(none.GetPath(), "");
}

TEST_F(CQRefLibraryTest, BindsARendererAndServesItEndToEnd) {
    {
        CQRefLibrary library(TEST_REF_PATH, host.GetImport());
        ASSERT_EQ(library.IsBound(), 1);
        ASSERT_NE(library.GetExports(), nullptr);
        EXPECT_EQ(library.GetExports()->api_version, REF_API_VERSION);
        EXPECT_TRUE(IsLoaded(TEST_REF_PATH));

        // Init: the renderer reads the command line and console variables, asks
        // for the video mode and opens its window through the platform table.
        host.SetVideoInfo(400, 300);
        EXPECT_EQ(library.Init(&platform.table, nullptr), 1);
        EXPECT_EQ(platform.windowsOpened, 1);
        EXPECT_EQ(platform.openTitle, "test renderer");
        EXPECT_EQ(platform.openWidth, 400);
        EXPECT_EQ(platform.openHeight, 300);
        cvar_t* gamma = FindCVar(host, "vid_gamma");
        EXPECT_STREQ(gamma->string, "0.4") << "the renderer's default does not replace ours";
        EXPECT_EQ(gamma->flags, CVAR_ARCHIVE);
        cvar_t* detail = FindCVar(host, "r_test_detail");
        ASSERT_NE(detail, nullptr) << "created on demand";
        EXPECT_EQ(detail->value, 7.0f);
        EXPECT_EQ(host.GetCVarList(), detail);

        // Registration: files come from the pak archive through FS_LoadFile.
        library.BeginRegistration("base1");
        model_s* model = library.RegisterModel("models/items/box.md2");
        EXPECT_NE(model, nullptr);
        EXPECT_EQ(library.RegisterModel("models/items/none.md2"), nullptr);
        EXPECT_NE(library.RegisterSkin("players/male/grunt.pcx"), nullptr);
        const float axis[3] = {0.0f, 0.5f, 1.0f};
        library.SetSky("unit1_", 2.5f, axis);
        library.EndRegistration();
        library.BeginRegistration("nomap");
        ASSERT_EQ(host.errors.size(), 1u);
        EXPECT_EQ(host.errors[0].level, ERR_DROP);
        EXPECT_EQ(host.errors[0].text, "BeginRegistration: maps/nomap.bsp not found");

        // A frame: the frame description goes by address, so changes made
        // before the call reach the renderer.
        library.m_refdef.width = 400;
        library.m_refdef.height = 300;
        library.m_refdef.time = 1.5f;
        library.m_lightstyles[255].white = 3.0f;
        library.BeginFrame(0.0f);
        library.RenderFrame();
        library.DrawChar(2, 2, 'A' | 0x80);
        library.EndFrame();
        EXPECT_EQ(platform.framesPresented, 1);
        EXPECT_EQ(platform.firstPixel, 0xff336699u);
    }
    EXPECT_EQ(platform.windowsClosed, 1) << "destruction shuts the renderer down";
    EXPECT_FALSE(IsLoaded(TEST_REF_PATH)) << "and unloads it";

    const std::vector<std::string> expected = {
        "GetRefAPI",
        "Init argc=1 argv0=" + std::string(host.Cmd_Argv(0)) + " gamedir=" + host.FS_Gamedir() +
            " wndproc=null",
        "cvars vid_gamma=0.4 r_test_detail=7",
        "BeginRegistration maps/base1.bsp 3",
        "RegisterModel models/items/box.md2 4 IDP2",
        "RegisterModel models/items/none.md2 missing",
        "RegisterSkin players/male/grunt.pcx 3 PCX",
        "SetSky unit1_ 2.5 0 0.5 1",
        "EndRegistration",
        "BeginFrame 0",
        "RenderFrame 400x300 fov 90 73.7398 style 1 0.5 1 3 areabits null entities 0 time 1.5",
        "DrawChar 2 2 193",
        "EndFrame window 400x300",
        "Shutdown",
    };
    EXPECT_EQ(host.Texts(), expected);
    EXPECT_EQ(host.printed[2].level, PRINT_DEVELOPER);
}

TEST_F(CQRefLibraryTest, AnUnsupportedPlatformTableFailsInit) {
    CQRefLibrary library(TEST_REF_PATH, host.GetImport());
    platform.table.version = ORRERY_PLATFORM_VERSION + 1;
    EXPECT_EQ(library.Init(&platform.table, nullptr), 0);
    EXPECT_EQ(platform.windowsOpened, 0);
}

} // namespace
