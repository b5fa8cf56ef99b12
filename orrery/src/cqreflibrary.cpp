#include "orrery/cqreflibrary.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <numbers>

CQRefLibrary::CQRefLibrary(const char* libraryPath, const refimport_s* imports) {
    for (lightstyle_t& style : m_lightstyles)
        style = lightstyle_t{{1.0f, 0.5f, 1.0f}, 2.0f};

    std::memset(&m_refdef, 0, sizeof m_refdef);
    m_refdef.width = 320;
    m_refdef.height = 240;
    m_refdef.fov_x = 90.0f;
    // Vertical field of view that matches 90 degrees across at 320 x 240.
    m_refdef.fov_y = static_cast<float>(2.0 * std::atan(240.0 / 320.0) * 180.0 / std::numbers::pi);
    m_refdef.lightstyles = m_lightstyles;
    m_refdef.areabits = nullptr;
    m_refdef.rdflags = 0;

    if (!libraryPath || !imports)
        return;
    m_hLibrary = dlopen(libraryPath, RTLD_NOW | RTLD_LOCAL);
    if (!m_hLibrary) {
        std::fprintf(stderr, "renderer library not loaded: %s\n", dlerror());
        return;
    }
    void* symbol = dlsym(m_hLibrary, "GetRefAPI");
    if (!symbol) {
        std::fprintf(stderr, "renderer library %s has no GetRefAPI\n", libraryPath);
        Unload();
        return;
    }
    GetRefAPI_t getRefApi = nullptr;
    static_assert(sizeof getRefApi == sizeof symbol);
    std::memcpy(&getRefApi, &symbol, sizeof symbol);

    const refexport_t exports = getRefApi(*imports);
    // A renderer of another interface version lays its table out differently;
    // calling into it would corrupt memory.
    if (exports.api_version != REF_API_VERSION) {
        std::fprintf(stderr, "renderer library %s speaks interface version %d, not %d\n",
                     libraryPath, exports.api_version, REF_API_VERSION);
        Unload();
        return;
    }
    m_pExports = new refexport_t(exports);
}

CQRefLibrary::~CQRefLibrary() {
    if (m_pExports && m_pExports->Shutdown)
        m_pExports->Shutdown();
    Unload();
}

void CQRefLibrary::Unload() {
    delete m_pExports;
    m_pExports = nullptr;
    if (m_hLibrary)
        dlclose(m_hLibrary);
    m_hLibrary = nullptr;
}

int CQRefLibrary::Init(void* hinstance, void* wndproc) {
    return (m_pExports && m_pExports->Init) ? m_pExports->Init(hinstance, wndproc) : 0;
}

void CQRefLibrary::Shutdown() {
    if (m_pExports && m_pExports->Shutdown)
        m_pExports->Shutdown();
}

void CQRefLibrary::BeginRegistration(const char* map) {
    if (m_pExports && m_pExports->BeginRegistration)
        m_pExports->BeginRegistration(map);
}

model_s* CQRefLibrary::RegisterModel(const char* name) {
    return (m_pExports && m_pExports->RegisterModel) ? m_pExports->RegisterModel(name) : nullptr;
}

image_s* CQRefLibrary::RegisterSkin(const char* name) {
    return (m_pExports && m_pExports->RegisterSkin) ? m_pExports->RegisterSkin(name) : nullptr;
}

void CQRefLibrary::SetSky(const char* name, float rotate, const float axis[3]) {
    if (!m_pExports || !m_pExports->SetSky)
        return;
    // The renderer's slot takes a writable vector; hand it a copy.
    float copy[3] = {0.0f, 0.0f, 0.0f};
    if (axis)
        std::memcpy(copy, axis, sizeof copy);
    m_pExports->SetSky(name, rotate, copy);
}

void CQRefLibrary::EndRegistration() {
    if (m_pExports && m_pExports->EndRegistration)
        m_pExports->EndRegistration();
}

void CQRefLibrary::RenderFrame() {
    if (m_pExports && m_pExports->RenderFrame)
        m_pExports->RenderFrame(&m_refdef);
}

void CQRefLibrary::DrawChar(int x, int y, int c) {
    if (m_pExports && m_pExports->DrawChar)
        m_pExports->DrawChar(x, y, c);
}

void CQRefLibrary::BeginFrame(float separation) {
    if (m_pExports && m_pExports->BeginFrame)
        m_pExports->BeginFrame(separation);
}

void CQRefLibrary::EndFrame() {
    if (m_pExports && m_pExports->EndFrame)
        m_pExports->EndFrame();
}
