// The plug-in's single export: GetRefAPI hands out the renderer's entry points.
#include "renderer.h"

#include <memory>

namespace {

std::unique_ptr<refsoft::Renderer> g_renderer;

int Init(void* hinstance, void*) {
    return g_renderer ? g_renderer->Init(hinstance) : 0;
}
void Shutdown() {
    if (g_renderer)
        g_renderer->Shutdown();
}
void BeginRegistration(const char* map) {
    if (g_renderer)
        g_renderer->BeginRegistration(map);
}
model_s* RegisterModel(const char* name) {
    return g_renderer ? g_renderer->RegisterModel(name) : nullptr;
}
image_s* RegisterSkin(const char* name) {
    return g_renderer ? g_renderer->RegisterSkin(name) : nullptr;
}
image_s* RegisterPic(const char* name) {
    return g_renderer ? g_renderer->RegisterPic(name) : nullptr;
}
void SetSky(const char* name, float rotate, float axis[3]) {
    if (g_renderer)
        g_renderer->SetSky(name, rotate, axis);
}
void EndRegistration() {
    if (g_renderer)
        g_renderer->EndRegistration();
}
void RenderFrame(refdef_t* fd) {
    if (g_renderer)
        g_renderer->RenderFrame(fd);
}
void DrawGetPicSize(int* w, int* h, const char* name) {
    if (g_renderer)
        g_renderer->DrawGetPicSize(w, h, name);
}
void DrawPic(int x, int y, const char* name) {
    if (g_renderer)
        g_renderer->DrawPic(x, y, name);
}
void DrawStretchPic(int x, int y, int w, int h, const char* name) {
    if (g_renderer)
        g_renderer->DrawStretchPic(x, y, w, h, name);
}
void DrawChar(int x, int y, int c) {
    if (g_renderer)
        g_renderer->DrawChar(x, y, c);
}
void DrawTileClear(int x, int y, int w, int h, const char* name) {
    if (g_renderer)
        g_renderer->DrawTileClear(x, y, w, h, name);
}
void DrawFill(int x, int y, int w, int h, int c) {
    if (g_renderer)
        g_renderer->DrawFill(x, y, w, h, c);
}
void DrawFadeScreen() {
    if (g_renderer)
        g_renderer->DrawFadeScreen();
}
void DrawStretchRaw(int x, int y, int w, int h, int cols, int rows, unsigned char* data) {
    if (g_renderer)
        g_renderer->DrawStretchRaw(x, y, w, h, cols, rows, data);
}
void CinematicSetPalette(const unsigned char* palette) {
    if (g_renderer)
        g_renderer->CinematicSetPalette(palette);
}
void BeginFrame(float) {
    if (g_renderer)
        g_renderer->BeginFrame();
}
void EndFrame() {
    if (g_renderer)
        g_renderer->EndFrame();
}
void AppActivate(int) {}

} // namespace

// Binding again replaces the renderer (and its window) with a fresh one for the new host.
extern "C" __attribute__((visibility("default"))) refexport_t GetRefAPI(refimport_t imports) {
    g_renderer = std::make_unique<refsoft::Renderer>(imports);
    refexport_t re{};
    re.api_version = REF_API_VERSION;
    re.Init = Init;
    re.Shutdown = Shutdown;
    re.BeginRegistration = BeginRegistration;
    re.RegisterModel = RegisterModel;
    re.RegisterSkin = RegisterSkin;
    re.RegisterPic = RegisterPic;
    re.SetSky = SetSky;
    re.EndRegistration = EndRegistration;
    re.RenderFrame = RenderFrame;
    re.DrawGetPicSize = DrawGetPicSize;
    re.DrawPic = DrawPic;
    re.DrawStretchPic = DrawStretchPic;
    re.DrawChar = DrawChar;
    re.DrawTileClear = DrawTileClear;
    re.DrawFill = DrawFill;
    re.DrawFadeScreen = DrawFadeScreen;
    re.DrawStretchRaw = DrawStretchRaw;
    re.CinematicSetPalette = CinematicSetPalette;
    re.BeginFrame = BeginFrame;
    re.EndFrame = EndFrame;
    re.AppActivate = AppActivate;
    return re;
}
