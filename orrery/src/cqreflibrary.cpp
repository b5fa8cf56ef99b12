#include "orrery/cqreflibrary.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <memory>
#include <numbers>

namespace {

// GetRefAPI answers with its export table by value, through a return area the caller
// provides. A renderer of another interface version may write a larger table than the 22
// slots this host knows; it is given a zeroed area far larger than that, so that reading its
// version slot never lets it write past the host's memory.
struct ExportArea {
    refexport_t table;
    unsigned char slack[4096];
};
using GetRefAPIArea_t = ExportArea (*)(refimport_t);

} // namespace

void CQRefLibrary::SetDefaults() {
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
}

CQRefLibrary::CQRefLibrary(const char* libraryPath, const refimport_s* imports) {
    SetDefaults();
    if (libraryPath && imports)
        Bind(libraryPath, imports);
}

CQRefLibrary::CQRefLibrary(const std::vector<std::string>& candidates, const refimport_s* imports) {
    SetDefaults();
    if (!imports)
        return;
    for (const std::string& path : candidates)
        if (Bind(path.c_str(), imports))
            return;
}

bool CQRefLibrary::Bind(const char* libraryPath, const refimport_s* imports) {
    Unload();
    m_hLibrary = dlopen(libraryPath, RTLD_NOW | RTLD_LOCAL);
    if (!m_hLibrary) {
        std::fprintf(stderr, "renderer library not loaded: %s\n", dlerror());
        return false;
    }
    void* symbol = dlsym(m_hLibrary, "GetRefAPI");
    if (!symbol) {
        std::fprintf(stderr, "renderer library %s has no GetRefAPI\n", libraryPath);
        Unload();
        return false;
    }
    GetRefAPIArea_t getRefApi = nullptr;
    static_assert(sizeof getRefApi == sizeof symbol);
    std::memcpy(&getRefApi, &symbol, sizeof symbol);

    auto area = std::make_unique<ExportArea>();
    std::memset(area.get(), 0, sizeof *area);
    *area = getRefApi(*imports);
    // A renderer of another interface version lays its table out differently; calling into
    // it would corrupt memory.
    if (area->table.api_version != REF_API_VERSION) {
        std::fprintf(stderr, "renderer library %s speaks interface version %d, not %d\n",
                     libraryPath, area->table.api_version, REF_API_VERSION);
        Unload();
        return false;
    }
    m_pExports = new refexport_t(area->table);
    m_strPath = libraryPath;
    return true;
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
    m_strPath.clear();
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
