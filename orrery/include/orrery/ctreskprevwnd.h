// The 3D preview window: shows the open demo as the game would, drawn by the hosted renderer
// library, with a one-line overlay, seven control buttons, mouse-look, free fly and ReFilm
// (fly mode during the editor's playback, whose camera the owner writes into the demo), and
// screen captures for the filmstrip.
#pragma once

#include "orrery/orrery_export.h"
#include "orrery/platform_table.h"
#include "orrery/prev_types.h"
#include "orrery/ref_types.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class CQRefApiImport;
class CQRefLibrary;
class CPrevButton;

class ORRERY_API CTreskPrevWnd : public QWidget {
  public:
    // Binds the renderer: the first of `libraryPaths` that binds (see CQRefLibrary). The
    // hosted renderer keeps process-wide state, so only one window binds at a time: while
    // another is bound this one stays unbound (RefusedAsSecond()). `host` is not owned.
    CTreskPrevWnd(CQRefApiImport* host, const std::vector<std::string>& libraryPaths);
    // The renderer is shut down and unloaded; registered is cleared first, so nothing is
    // posted to the owner.
    ~CTreskPrevWnd() override;

    CTreskPrevWnd(const CTreskPrevWnd&) = delete;
    CTreskPrevWnd& operator=(const CTreskPrevWnd&) = delete;

    // Lets the renderer create its window (through the platform table) and adopts it: 1 when
    // a window was made, 0 otherwise (no binding, or the renderer made none).
    int Create(const char* title, CPrevWndOwner* owner);
    // Renderer Init with the given instance (the platform table) and procedure.
    int InitInstance(void* hinstance, void* wndproc);
    int ExitInstance();

    // --- the scene -------------------------------------------------------------------------
    int BeginRegistration(const char* mapName);
    // Model index = index - 32; refused (0) outside 1..499.
    int RegisterModel(int index, const char* path);
    int SetSky(const char* name, float rotate, const float axis[3]);
    int EndRegistration();
    void SpawnEntity(int number, preventity_s* record);
    void UpdateEntity(int number, preventity_s* record);
    // Takes an entity that left the demo out of the drawn scene until it is updated again.
    void HideEntity(int number);
    // Null only while fly mode is on (applies the keyboard flight alone).
    void UpdatePlayerInfo(const prevplayer_s* record);
    void SetViewParameters(const float*, float) {}
    void SetCameraPosition(const float origin[3], const float angles[3]);
    // Renders one frame: 0 when unbound or not registered. Each frame moves the renderer's
    // clock on by a tenth of a second, unless the clock is held.
    int UpdateFrame();
    // Sets the renderer's clock (seconds), which frames then leave as it is until it is let go:
    // a film times its pictures itself. While it is held the overlay line lasts three seconds of
    // the clock rather than 30 frames; what is left of it carries over both ways.
    void HoldClock(float seconds);
    void ReleaseClock();
    // The overlay line (cut to 260 characters), shown for the next 30 frames.
    void Print(int level, const char* text);
    void EnableFeedBack(int flag) { m_bFeedBack = flag; }
    void IsTrackingEnabled(int flag) { m_bTracking = flag; }
    int IsTrackingEnabled() const { return m_bTracking; }
    // Renders a frame and scales the picture (without the button strip) to width x height;
    // a null image on failure.
    QImage GrabScreen(int width, int height);
    QImage GrabScreen(const float*, const float*, int width, int height) {
        return GrabScreen(width, height);
    }

    // --- state the owner reads and writes ---------------------------------------------------
    bool m_bPlayback = false; // the editor's playback timer runs
    int m_nBlockIndex = 0;    // the block being shown

    int IsBound() const;
    bool RefusedAsSecond() const { return m_bRefusedAsSecond; }
    bool IsRegistered() const { return m_bRegistered; }
    bool IsSelectionRecord() const { return m_bSelectionRecord; }
    bool IsPovFlight() const { return m_bPovFlight; }
    bool IsFlyMode() const { return m_bFlyMode; }
    bool IsFlyTimer() const { return m_bFlyTimer; }
    bool IsMouseLook() const { return m_bMouseLook; }
    int Speed() const { return m_nSpeed; }
    const std::string& OverlayText() const { return m_strOverlay; }
    int OverlayFrames() const { return m_nOverlayFrames; }
    const refdef_t& RefDef() const;
    // The render entity of an entity number, or null when it has none.
    const entity_t* RenderEntityOf(int number) const;
    int EntityCount() const { return m_nEntities; }
    // The entity number has a render slot.
    bool HasSlot(int number) const {
        return number >= 0 && number < kPrevEntitySlots &&
               m_map[static_cast<size_t>(number)].slot >= 0;
    }
    // The last picture the renderer presented (without the button strip).
    const QImage& Screen() const { return m_screen; }
    // Whether a bound window lives in this process.
    static bool AnyBound();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Tab and Shift+Tab are fly-mode keys here, never focus moves.
    bool focusNextPrevChild(bool) override { return false; }
    bool event(QEvent* event) override;

  private:
    friend struct CPrevPlatform;
    CQRefLibrary& Lib();
    void Send(unsigned message, uintptr_t wParam, const void* lParam);
    void CreateButtons();
    void FlushText();
    void StartFlyTimer();
    void StopFlyTimer();
    void ToggleFlyMode();
    void MouseLookTo(QPoint global);

    // Platform table services for the renderer.
    void* OpenWindow(const char* title, int width, int height);
    void CloseWindow(void* window);
    int PresentFrame(const void* pixels, int width, int height, int stride, int format);
    int GetWindowSize(int* width, int* height);

    CPrevWndOwner* m_pOwner = nullptr;
    CQRefApiImport* m_pHost;
    std::unique_ptr<CQRefLibrary> m_pLib;
    orrery_platform_t m_platform{};
    bool m_bAdopting = false;   // Init runs: the renderer's window is adopted
    bool m_bWindowOpen = false; // the renderer's window exists
    bool m_bRefusedAsSecond = false;

    std::vector<entity_t> m_models; // templates by model index
    int m_nHighestModel = 0;
    std::vector<entity_t> m_entities; // render entities, the frame description's list
    std::vector<entity_t> m_drawn;    // the shown ones, handed to the renderer
    std::vector<bool> m_hidden;       // by render slot
    int m_nEntities = 0;
    struct MapEntry {
        int model = -1;
        int slot = -1;
    };
    std::vector<MapEntry> m_map; // by entity number
    bool m_bRegistered = false;
    bool m_bClockHeld = false;

    std::string m_strOverlay;
    int m_nOverlayFrames = 0;
    float m_fOverlayUntil = 0.0f; // the clock's time the overlay ends at while the clock is held
    std::vector<CPrevButton*> m_buttons;
    QImage m_screen;

    bool m_bMouseLook = false;
    QPoint m_lastCursor;
    bool m_bFlyMode = false;
    bool m_bFlyTimer = false;
    int m_nTimer = 0; // Qt id of timer 1
    bool m_bPovFlight = true;
    bool m_bSelectionRecord = false;
    int m_nSpeed = 16;
    enum HeldKey { kPageUp, kPageDown, kLeft, kUp, kRight, kDown, kHeldKeys };
    bool m_held[kHeldKeys] = {};
    float m_savedAngles[3] = {};
    float m_savedOrigin[3] = {};
    int m_bTracking = 0;
    int m_bFeedBack = 0;
};
