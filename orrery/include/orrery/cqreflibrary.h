// Binding of a renderer library: loads it, calls GetRefAPI and keeps the
// renderer's entry points and the frame description it draws.
#pragma once

#include "orrery/orrery_export.h"
#include "orrery/ref_types.h"

#include <string>
#include <vector>

// Used by the preview window. The library is loaded by path at construction and
// unloaded at destruction. A library that cannot be loaded, lacks GetRefAPI or
// answers with an interface version other than REF_API_VERSION is unloaded and
// treated as missing: no export table is held, and every renderer call below
// does nothing (returning null or 0 where a result is expected).
class ORRERY_API CQRefLibrary {
  public:
    // Sets the frame description defaults, then loads and binds the library,
    // handing it a copy of imports (null: bind nothing).
    CQRefLibrary(const char* libraryPath, const refimport_s* imports);
    // Tries each path in order and keeps the first library that binds (one that loads, has
    // GetRefAPI and speaks REF_API_VERSION); the others are unloaded again.
    CQRefLibrary(const std::vector<std::string>& candidates, const refimport_s* imports);
    // Shuts the renderer down when bound, then unloads the library.
    virtual ~CQRefLibrary();

    CQRefLibrary(const CQRefLibrary&) = delete;
    CQRefLibrary& operator=(const CQRefLibrary&) = delete;

    // 1 while an export table is held.
    int IsBound() const { return m_pExports ? 1 : 0; }
    // The renderer's export table, or null.
    const refexport_t* GetExports() const { return m_pExports; }

    // --- renderer calls, by export slot ---

    // Slot 1: the renderer creates its window. hinstance carries the platform
    // table (orrery_platform_t). Returns the renderer's answer, 0 when unbound.
    int Init(void* hinstance, void* wndproc);
    void Shutdown();                                                  // slot 2
    void BeginRegistration(const char* map);                          // slot 3
    struct model_s* RegisterModel(const char* name);                  // slot 4
    struct image_s* RegisterSkin(const char* name);                   // slot 5
    void SetSky(const char* name, float rotate, const float axis[3]); // slot 7
    void EndRegistration();                                           // slot 8
    // Slot 9 with this binding's frame description.
    void RenderFrame();
    void DrawChar(int x, int y, int c); // slot 13
    void BeginFrame(float separation);  // slot 19
    void EndFrame();                    // slot 20

    // Light styles the frame description points at: every one 1.0, 0.5, 1.0, 2.0.
    lightstyle_t m_lightstyles[MAX_LIGHTSTYLES];
    // The frame description: 320 x 240, fields of view 90 and 73.7398 degrees,
    // light styles above, no area bits, no entities.
    refdef_t m_refdef;

    // The path of the bound library, empty when none is bound.
    const std::string& GetPath() const { return m_strPath; }

  private:
    void SetDefaults();
    // Loads and binds one library; false (with nothing held) when it does not bind.
    bool Bind(const char* libraryPath, const refimport_s* imports);
    void Unload();

    std::string m_strPath;

    void* m_hLibrary = nullptr;
    refexport_t* m_pExports = nullptr; // owned copy of the renderer's table
};
