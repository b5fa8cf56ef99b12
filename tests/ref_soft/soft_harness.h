// Loads the real ref_soft.so through the host's renderer binding, with a platform table
// that keeps every presented frame, and a pak archive of generated assets.
#pragma once

#include "orrery/cqrefapiimport.h"
#include "orrery/cqreflibrary.h"
#include "orrery/platform_table.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace refsoft_test {

// The window services, recording what the renderer does with them.
struct TestPlatform {
    orrery_platform_t table{};
    int opened = 0, closed = 0, presented = 0;
    std::string title;
    int openWidth = 0, openHeight = 0;
    bool refuseWindow = false;
    // Size GetWindowSize answers; 0 x 0: it fails.
    int windowWidth = 0, windowHeight = 0;
    // The last presented frame.
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;

    TestPlatform();
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// A host, an archive of files and the bound renderer.
class SoftRenderer {
  public:
    // files: name -> bytes, stored in a pak archive the host reads.
    explicit SoftRenderer(const std::map<std::string, std::vector<std::uint8_t>>& files = {},
                          const std::string& baseDirectory = "");
    ~SoftRenderer();

    CQRefApiImport host;
    TestPlatform platform;
    std::unique_ptr<CQRefLibrary> library;
    const refexport_t& re() const { return *library->GetExports(); }
    refdef_t& fd() { return library->m_refdef; }

    // Init with the test platform; true when the renderer answered 1.
    bool Init();
    // Every light style at the game's normal light, gamma 1, no face ids.
    void NormalLight();
    // Begin frame, render the frame description, end frame; returns the presented frame.
    void Frame();
    // The same with the face-id view presented instead of the colours.
    void FaceFrame();

  private:
    std::filesystem::path m_dir;
};

// Colour channels of a presented pixel.
inline int Red(std::uint32_t p) {
    return (p >> 16) & 255;
}
inline int Green(std::uint32_t p) {
    return (p >> 8) & 255;
}
inline int Blue(std::uint32_t p) {
    return p & 255;
}
// True when each channel is within tolerance of the given colour.
bool Near(std::uint32_t pixel, int r, int g, int b, int tolerance = 3);

} // namespace refsoft_test
