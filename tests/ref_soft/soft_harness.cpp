#include "soft_harness.h"

#include "formats/pak_writer.h"

#include <random>
#include <stdexcept>

namespace refsoft_test {

namespace {

TestPlatform& Self(void* context) {
    return *static_cast<TestPlatform*>(context);
}

void* OpenWindow(void* context, const char* title, int width, int height) {
    TestPlatform& p = Self(context);
    if (p.refuseWindow)
        return nullptr;
    ++p.opened;
    p.title = title ? title : "";
    p.openWidth = width;
    p.openHeight = height;
    return &p;
}

void CloseWindow(void* context, void* window) {
    if (window)
        ++Self(context).closed;
}

int PresentFrame(void* context, void* window, const void* pixels, int width, int height, int stride,
                 int format) {
    TestPlatform& p = Self(context);
    if (window != &p || !pixels || width <= 0 || height <= 0 || stride < width * 4 ||
        format != ORRERY_PIXELS_XRGB32)
        return 0;
    ++p.presented;
    p.width = width;
    p.height = height;
    p.pixels.resize(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const char*>(pixels) + static_cast<std::size_t>(y) * stride);
        std::copy(row, row + width, p.pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    return 1;
}

int GetWindowSize(void* context, void* window, int* width, int* height) {
    TestPlatform& p = Self(context);
    if (window != &p || p.windowWidth <= 0)
        return 0;
    *width = p.windowWidth;
    *height = p.windowHeight;
    return 1;
}

} // namespace

TestPlatform::TestPlatform() {
    table.version = ORRERY_PLATFORM_VERSION;
    table.size = sizeof(orrery_platform_t);
    table.context = this;
    table.OpenWindow = OpenWindow;
    table.CloseWindow = CloseWindow;
    table.PresentFrame = PresentFrame;
    table.GetWindowSize = GetWindowSize;
}

SoftRenderer::SoftRenderer(const std::map<std::string, std::vector<std::uint8_t>>& files,
                           const std::string& baseDirectory) {
    std::random_device rd;
    m_dir = std::filesystem::temp_directory_path() /
            ("ref_soft_test_" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(m_dir);
    formats::PakWriter pak;
    for (const auto& [name, bytes] : files)
        pak.Add(name, bytes);
    const std::string pakPath = (m_dir / "test.pak").string();
    if (!pak.WriteFile(pakPath))
        throw std::runtime_error("cannot write " + pakPath);
    CQRefApiImport::AddPakFiles({pakPath});
    host.SetBaseDirectory(baseDirectory.c_str());
    InitializeImports(&host);
    library = std::make_unique<CQRefLibrary>(REF_SOFT_PATH, CQRefApiImport::GetImport());
}

SoftRenderer::~SoftRenderer() {
    library.reset();
    CQRefApiImport::RemovePakFiles();
    std::error_code ec;
    std::filesystem::remove_all(m_dir, ec);
}

bool SoftRenderer::Init() {
    return library->Init(&platform.table, nullptr) == 1;
}

void SoftRenderer::NormalLight() {
    for (lightstyle_t& style : library->m_lightstyles)
        style = lightstyle_t{{1, 1, 1}, 3};
    host.CVar_Set("vid_gamma", "1");
    host.CVar_Set("sw_faceids", "0");
}

void SoftRenderer::Frame() {
    host.CVar_Set("sw_faceids", "0");
    library->BeginFrame(0);
    library->RenderFrame();
    library->EndFrame();
}

void SoftRenderer::FaceFrame() {
    host.CVar_Set("sw_faceids", "1");
    library->BeginFrame(0);
    library->RenderFrame();
    library->EndFrame();
    host.CVar_Set("sw_faceids", "0");
}

bool Near(std::uint32_t pixel, int r, int g, int b, int tolerance) {
    return std::abs(Red(pixel) - r) <= tolerance && std::abs(Green(pixel) - g) <= tolerance &&
           std::abs(Blue(pixel) - b) <= tolerance;
}

} // namespace refsoft_test
