// The renderer behind the export table: its window, frame buffer, registered models and
// images, and the drawing of 3D frames and 2D pictures.
#pragma once

#include "context.h"
#include "frame_buffer.h"
#include "images.h"
#include "models.h"

#include "orrery/platform_table.h"
#include "orrery/ref_types.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace refsoft {

class Renderer {
  public:
    explicit Renderer(const refimport_t& imports);
    ~Renderer();
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    // Opens the window through the platform table passed as hinstance; 0 (and nothing
    // opened) when the table is missing, of another version or too small.
    int Init(void* hinstance);
    // Closes the window and drops every model and image; harmless when repeated.
    void Shutdown();

    void BeginRegistration(const char* map);
    model_s* RegisterModel(const char* name);
    image_s* RegisterSkin(const char* name);
    image_s* RegisterPic(const char* name);
    void SetSky(const char* name, float rotate, const float* axis);
    void EndRegistration();

    void RenderFrame(const refdef_t* fd);

    void DrawGetPicSize(int* w, int* h, const char* name);
    void DrawPic(int x, int y, const char* name);
    void DrawStretchPic(int x, int y, int w, int h, const char* name);
    void DrawChar(int x, int y, int c);
    void DrawTileClear(int x, int y, int w, int h, const char* name);
    void DrawFill(int x, int y, int w, int h, int c);
    void DrawFadeScreen();
    void DrawStretchRaw(int x, int y, int w, int h, int cols, int rows, const unsigned char* data);
    void CinematicSetPalette(const unsigned char* palette);
    void BeginFrame();
    void EndFrame();

  private:
    void Print(const char* text);
    model_s* LoadModel(const std::string& name);
    void UpdateGamma();

    const refimport_t m_imports;
    const orrery_platform_t* m_platform = nullptr;
    void* m_window = nullptr;
    FrameBuffer m_frame;
    bool m_windowSized = false; // this frame's size came from the window
    ImageCache m_images;
    int m_registration = 0;
    std::map<std::string, std::unique_ptr<model_s>> m_models; // by name; kept until Shutdown
    model_s* m_world = nullptr;
    Sky m_sky;
    image_s* m_conchars = nullptr;
    bool m_concharsLooked = false;
    Palette32 m_rawPalette{};
    bool m_rawPaletteSet = false;

    cvar_t* m_gammaVar = nullptr;
    cvar_t* m_faceIdVar = nullptr;
    float m_gamma = -1;
    std::uint8_t m_gammaTable[256]{};
    std::vector<std::uint32_t> m_present;
};

} // namespace refsoft
