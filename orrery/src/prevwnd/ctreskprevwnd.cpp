// The preview window's scene: binding and adopting the renderer's window, registration,
// entities, the player view, frames, the overlay and captures.
#include "orrery/ctreskprevwnd.h"

#include "orrery/cqrefapiimport.h"
#include "orrery/cqreflibrary.h"
#include "prev_button.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>

namespace {

constexpr int kOverlayChars = 260;
constexpr int kOverlayShowFrames = 30;
// A held clock (a film at its own picture rate) shows the overlay for the time 30 frames of
// play take, a tenth of a second each, rather than for 30 pictures.
constexpr float kOverlaySecondsPerFrame = 0.1f;
constexpr float kOverlayShowSeconds = kOverlaySecondsPerFrame * kOverlayShowFrames;
// Pictures at the end time still show it: the clock is a sum of float steps.
constexpr float kClockSlack = 1e-3f;
// The window that holds the renderer: the hosted library keeps process-wide state.
const CTreskPrevWnd* g_boundWindow = nullptr;

} // namespace

// The platform table's entries, over the window given as context.
struct CPrevPlatform {
    static CTreskPrevWnd* Of(void* context) { return static_cast<CTreskPrevWnd*>(context); }
    static void* Open(void* context, const char* title, int width, int height) {
        return context ? Of(context)->OpenWindow(title, width, height) : nullptr;
    }
    static void Close(void* context, void* window) {
        if (context)
            Of(context)->CloseWindow(window);
    }
    static int Present(void* context, void* window, const void* pixels, int width, int height,
                       int stride, int format) {
        if (!context || window != context)
            return 0;
        return Of(context)->PresentFrame(pixels, width, height, stride, format);
    }
    static int Size(void* context, void* window, int* width, int* height) {
        if (!context || window != context)
            return 0;
        return Of(context)->GetWindowSize(width, height);
    }
};

CTreskPrevWnd::CTreskPrevWnd(CQRefApiImport* host, const std::vector<std::string>& libraryPaths)
    : QWidget(nullptr, Qt::Window), m_pHost(host), m_models(kPrevModelSlots),
      m_entities(kPrevEntitySlots), m_hidden(kPrevEntitySlots, false), m_map(kPrevEntitySlots) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFocusPolicy(Qt::StrongFocus);
    std::memset(m_models.data(), 0, m_models.size() * sizeof(entity_t));
    std::memset(m_entities.data(), 0, m_entities.size() * sizeof(entity_t));
    m_platform.version = ORRERY_PLATFORM_VERSION;
    m_platform.size = sizeof(orrery_platform_t);
    m_platform.context = this;
    m_platform.OpenWindow = &CPrevPlatform::Open;
    m_platform.CloseWindow = &CPrevPlatform::Close;
    m_platform.PresentFrame = &CPrevPlatform::Present;
    m_platform.GetWindowSize = &CPrevPlatform::Size;

    if (g_boundWindow != nullptr) {
        // A second instance of the same renderer would share (and break) the first one's.
        m_bRefusedAsSecond = true;
        m_pLib = std::make_unique<CQRefLibrary>(nullptr, nullptr);
        return;
    }
    if (m_pHost)
        InitializeImports(m_pHost);
    m_pLib = std::make_unique<CQRefLibrary>(libraryPaths, CQRefApiImport::GetImport());
    if (m_pLib->IsBound())
        g_boundWindow = this;
}

CTreskPrevWnd::~CTreskPrevWnd() {
    m_bRegistered = false;
    if (m_nTimer)
        killTimer(m_nTimer);
    if (m_pHost && m_pLib->IsBound())
        InitializeImports(m_pHost);
    m_pLib.reset(); // shuts the renderer down and unloads it
    if (g_boundWindow == this)
        g_boundWindow = nullptr;
}

bool CTreskPrevWnd::AnyBound() {
    return g_boundWindow != nullptr;
}

int CTreskPrevWnd::IsBound() const {
    return m_pLib->IsBound();
}

void CTreskPrevWnd::HoldClock(float seconds) {
    // A line shown before the clock was held keeps the time its remaining frames stand for.
    if (!m_bClockHeld)
        m_fOverlayUntil = seconds + kOverlaySecondsPerFrame * static_cast<float>(m_nOverlayFrames);
    m_bClockHeld = true;
    m_pLib->m_refdef.time = seconds;
}

void CTreskPrevWnd::ReleaseClock() {
    if (!m_bClockHeld)
        return;
    m_bClockHeld = false;
    // The frames of play left to the line, from the time it has left.
    const float left = (m_fOverlayUntil - m_pLib->m_refdef.time) / kOverlaySecondsPerFrame;
    m_nOverlayFrames = m_nOverlayFrames <= 0 || !(left > 0.0f)
                           ? 0
                           : std::min(kOverlayShowFrames, static_cast<int>(std::ceil(left - 1e-2f)));
}

const refdef_t& CTreskPrevWnd::RefDef() const {
    return m_pLib->m_refdef;
}

CQRefLibrary& CTreskPrevWnd::Lib() {
    // Another document's host may have been made current since: the renderer calls back into
    // the current one.
    if (m_pHost)
        InitializeImports(m_pHost);
    return *m_pLib;
}

void CTreskPrevWnd::Send(unsigned message, uintptr_t wParam, const void* lParam) {
    if (m_pOwner)
        m_pOwner->OnPreviewMessage(message, wParam, lParam);
}

int CTreskPrevWnd::Create(const char* title, CPrevWndOwner* owner) {
    m_pOwner = nullptr;
    refdef_t& fd = m_pLib->m_refdef;
    if (m_pHost) {
        fd.width = m_pHost->GetWidth();
        fd.height = m_pHost->GetHeight();
    }
    if (fd.width > 0 && fd.height > 0)
        fd.fov_y = static_cast<float>(2.0 * std::atan(static_cast<double>(fd.height) / fd.width) *
                                      180.0 / std::numbers::pi);
    m_nSpeed = 16;

    m_bAdopting = true;
    InitInstance(&m_platform, nullptr);
    m_bAdopting = false;
    if (!m_bWindowOpen)
        return 0;

    m_pOwner = owner;
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    if (title)
        setWindowTitle(QString::fromUtf8(title));
    show();
    return 1;
}

int CTreskPrevWnd::InitInstance(void* hinstance, void* wndproc) {
    if (!m_pLib->IsBound() || !hinstance)
        return 0;
    Lib().Init(hinstance, wndproc);
    return 1;
}

int CTreskPrevWnd::ExitInstance() {
    if (!m_pLib->IsBound())
        return 0;
    Lib().Shutdown();
    return 1;
}

void* CTreskPrevWnd::OpenWindow(const char* title, int width, int height) {
    if (!m_bAdopting || m_bWindowOpen || width <= 0 || height <= 0)
        return nullptr;
    m_bWindowOpen = true;
    if (title)
        setWindowTitle(QString::fromUtf8(title));
    // The drawing area, plus the strip of control buttons under it.
    setFixedSize(width, height + kPrevButtonStrip);
    m_screen = QImage(width, height, QImage::Format_RGB32);
    m_screen.fill(Qt::black);
    CreateButtons();
    return this;
}

void CTreskPrevWnd::CloseWindow(void* window) {
    if (window == this)
        m_bWindowOpen = false;
}

int CTreskPrevWnd::PresentFrame(const void* pixels, int width, int height, int stride, int format) {
    if (!m_bWindowOpen || !pixels || width <= 0 || height <= 0 || stride < width * 4 ||
        format != ORRERY_PIXELS_XRGB32)
        return 0;
    QImage frame(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        std::memcpy(frame.scanLine(y), static_cast<const unsigned char*>(pixels) + y * stride,
                    static_cast<size_t>(width) * 4);
    m_screen = std::move(frame);
    update();
    return 1;
}

int CTreskPrevWnd::GetWindowSize(int* width, int* height) {
    if (!m_bWindowOpen)
        return 0;
    if (width)
        *width = this->width();
    if (height)
        *height = this->height() - kPrevButtonStrip;
    return 1;
}

void CTreskPrevWnd::CreateButtons() {
    for (int k = 0; k < 7; ++k) {
        auto* button = new CPrevButton(k, this);
        const unsigned id = kPrevBtnStop + static_cast<unsigned>(k);
        button->setObjectName(QString::number(id));
        button->setGeometry(18 * k, height() - 16, 18, 16);
        connect(button, &QAbstractButton::clicked, this, [this, id] { Send(id, 0, nullptr); });
        button->show();
        m_buttons.push_back(button);
    }
}

// --- registration ---------------------------------------------------------------------------

int CTreskPrevWnd::BeginRegistration(const char* mapName) {
    if (!m_pLib->IsBound())
        return 0;
    m_bRegistered = false;
    Lib().BeginRegistration(mapName);
    char path[96];
    std::snprintf(path, sizeof path, "maps/%s.bsp", mapName ? mapName : "");
    Lib().RegisterModel(path);
    return 1;
}

int CTreskPrevWnd::RegisterModel(int index, const char* path) {
    const int model = index - 32;
    if (!m_pLib->IsBound() || model < 1 || model >= kPrevModelSlots)
        return 0;
    entity_t& tmpl = m_models[static_cast<size_t>(model)];
    std::memset(&tmpl, 0, sizeof tmpl);
    tmpl.model = Lib().RegisterModel(path);
    if (model > m_nHighestModel)
        m_nHighestModel = model;
    return 1;
}

int CTreskPrevWnd::SetSky(const char* name, float rotate, const float axis[3]) {
    if (!m_pLib->IsBound())
        return 0;
    Lib().SetSky(name, rotate, axis);
    return 1;
}

int CTreskPrevWnd::EndRegistration() {
    if (!m_pLib->IsBound())
        return 0;
    Lib().EndRegistration();
    m_bRegistered = true;
    return 1;
}

// --- entities -------------------------------------------------------------------------------

namespace {

bool ValidModel(int model) {
    return model >= 0 && model < kPrevModelSlots;
}

} // namespace

void CTreskPrevWnd::SpawnEntity(int number, preventity_s* record) {
    if (!record)
        return;
    if (record->spawn == 0 && record->origin[0] == 0.0f && record->origin[1] == 0.0f &&
        record->origin[2] == 0.0f)
        return;
    if (number < 0 || number >= kPrevEntitySlots || m_nEntities >= kPrevEntitySlots)
        return;
    const int model = ValidModel(record->modelindex) ? record->modelindex : 0;
    const int slot = m_nEntities++;
    m_map[static_cast<size_t>(number)] = {model, slot};
    entity_t& e = m_entities[static_cast<size_t>(slot)];
    e = m_models[static_cast<size_t>(model)];
    std::memcpy(e.angles, record->angles, sizeof e.angles);
    std::memcpy(e.origin, record->origin, sizeof e.origin);
    std::memcpy(e.oldorigin, record->oldorigin, sizeof e.oldorigin);
    e.frame = record->frame;
    e.oldframe = record->oldframe;
    e.skinnum = record->skinnum;
    e.flags = record->flags;
    m_hidden[static_cast<size_t>(slot)] = false;
    m_pLib->m_refdef.entities = m_entities.data();
    m_pLib->m_refdef.num_entities = m_nEntities;
}

void CTreskPrevWnd::UpdateEntity(int number, preventity_s* record) {
    if (!record || number < 1 || number >= kPrevEntitySlots)
        return;
    MapEntry& entry = m_map[static_cast<size_t>(number)];
    if (entry.slot < 0)
        return;
    entity_t& e = m_entities[static_cast<size_t>(entry.slot)];
    m_hidden[static_cast<size_t>(entry.slot)] = false;
    if (record->modelindex != 0 && ValidModel(record->modelindex) &&
        record->modelindex != entry.model) {
        e = m_models[static_cast<size_t>(record->modelindex)];
        entry.model = record->modelindex;
    }
    std::memcpy(e.angles, record->angles, sizeof e.angles);
    std::memcpy(e.origin, record->origin, sizeof e.origin);
    std::memcpy(e.oldorigin, record->oldorigin, sizeof e.oldorigin);
    if (record->frame != 0) {
        record->oldframe = e.frame;
        e.oldframe = e.frame;
        e.frame = record->frame;
    }
    if (record->skinnum != 0)
        e.skinnum = record->skinnum;
    if (record->flags != 0 && record->flags != e.flags)
        e.flags = record->flags;

    char marked[32];
    std::snprintf(marked, sizeof marked, "skins/skin%i.pcx", record->skinmarker + 1);
    if (record->skinmarker >= 0 && !e.skin)
        e.skin = Lib().RegisterSkin(marked);
    else if (record->skinmarker == -1 && e.skin)
        e.skin = nullptr;
    char path[sizeof record->skinpath + 1];
    std::memcpy(path, record->skinpath, sizeof record->skinpath);
    path[sizeof record->skinpath] = '\0';
    if (std::strstr(path, "players/"))
        e.skin = Lib().RegisterSkin(record->skinmarker == -1 ? path : marked);
}

void CTreskPrevWnd::HideEntity(int number) {
    if (number < 1 || number >= kPrevEntitySlots)
        return;
    const MapEntry& entry = m_map[static_cast<size_t>(number)];
    if (entry.slot >= 0)
        m_hidden[static_cast<size_t>(entry.slot)] = true;
}

const entity_t* CTreskPrevWnd::RenderEntityOf(int number) const {
    if (number < 0 || number >= kPrevEntitySlots)
        return nullptr;
    const MapEntry& entry = m_map[static_cast<size_t>(number)];
    if (entry.slot < 0 || m_hidden[static_cast<size_t>(entry.slot)])
        return nullptr;
    return &m_entities[static_cast<size_t>(entry.slot)];
}

// --- the player view ------------------------------------------------------------------------

void CTreskPrevWnd::UpdatePlayerInfo(const prevplayer_s* record) {
    refdef_t& fd = m_pLib->m_refdef;
    if (!record && !m_bFlyMode)
        return;
    if (record) {
        for (int k = 0; k < 3; ++k) {
            if (!m_bFlyMode)
                fd.vieworg[k] = record->vieworg[k];
            if (!m_bFlyMode && !m_bMouseLook)
                fd.viewangles[k] = record->viewangles[k];
        }
    }
    const double s = m_nSpeed;
    const double toRad = std::numbers::pi / 180.0;
    const double pitch = fd.viewangles[0] * toRad;
    const double yaw = fd.viewangles[1] * toRad;
    auto moveAlong = [&](double a, double sign) {
        fd.vieworg[0] += static_cast<float>(sign * 2 * s * std::cos(a));
        fd.vieworg[1] += static_cast<float>(sign * 2 * s * std::sin(a));
    };
    if (m_held[kLeft])
        moveAlong(yaw + std::numbers::pi / 2, 1);
    if (m_held[kRight])
        moveAlong(yaw - std::numbers::pi / 2, 1);
    if (m_held[kUp]) {
        moveAlong(yaw, 1);
        if (m_bPovFlight)
            fd.vieworg[2] -= static_cast<float>(2 * s * std::sin(pitch));
    }
    if (m_held[kDown]) {
        moveAlong(yaw, -1);
        if (m_bPovFlight)
            fd.vieworg[2] += static_cast<float>(2 * s * std::sin(pitch));
    }
    if (m_held[kPageUp])
        fd.vieworg[2] += static_cast<float>(s);
    if (m_held[kPageDown])
        fd.vieworg[2] -= static_cast<float>(s);
    if (m_bFlyMode || !record)
        return;
    fd.fov_x = record->fov;
    fd.rdflags = record->rdflags;
    std::memcpy(fd.blend, record->blend, sizeof fd.blend);
}

void CTreskPrevWnd::SetCameraPosition(const float origin[3], const float angles[3]) {
    refdef_t& fd = m_pLib->m_refdef;
    for (int k = 0; k < 3; ++k) {
        if (origin && origin[k] != 0.0f)
            fd.vieworg[k] = origin[k];
        if (angles && !m_bMouseLook && angles[k] != 0.0f)
            fd.viewangles[k] = angles[k];
    }
}

// --- frames ---------------------------------------------------------------------------------

int CTreskPrevWnd::UpdateFrame() {
    if (!m_pLib->IsBound() || !m_bRegistered)
        return 0;
    refdef_t& fd = m_pLib->m_refdef;
    if ((m_bMouseLook || m_bFlyMode) && m_bPlayback)
        Send(kPrevMsgAngles, static_cast<uintptr_t>(m_nBlockIndex), fd.viewangles);
    if (m_bFlyMode && m_bPlayback)
        Send(kPrevMsgOrigin, static_cast<uintptr_t>(m_nBlockIndex), fd.vieworg);
    // The owner may have closed the window while it handled the notifications.
    if (!m_bRegistered)
        return 0;
    m_drawn.clear();
    for (int i = 0; i < m_nEntities; ++i)
        if (!m_hidden[static_cast<size_t>(i)])
            m_drawn.push_back(m_entities[static_cast<size_t>(i)]);
    fd.entities = m_drawn.empty() ? nullptr : m_drawn.data();
    fd.num_entities = static_cast<int>(m_drawn.size());
    Lib().BeginFrame(0.0f);
    Lib().RenderFrame();
    FlushText();
    Lib().EndFrame();
    if (!m_bClockHeld)
        fd.time += 0.1f;
    return 1;
}

void CTreskPrevWnd::Print(int, const char* text) {
    m_strOverlay.assign(text ? text : "");
    if (m_strOverlay.size() > kOverlayChars)
        m_strOverlay.resize(kOverlayChars);
    m_nOverlayFrames = kOverlayShowFrames;
    m_fOverlayUntil = m_pLib->m_refdef.time + kOverlayShowSeconds;
}

void CTreskPrevWnd::FlushText() {
    if (m_nOverlayFrames <= 0)
        return;
    if (m_bClockHeld && m_pLib->m_refdef.time > m_fOverlayUntil + kClockSlack) {
        m_nOverlayFrames = 0;
        return;
    }
    for (size_t i = 0; i < m_strOverlay.size(); ++i)
        Lib().DrawChar(2 + 8 * static_cast<int>(i), 2,
                       static_cast<unsigned char>(m_strOverlay[i]) | 0x80);
    if (!m_bClockHeld)
        --m_nOverlayFrames;
}

QImage CTreskPrevWnd::GrabScreen(int width, int height) {
    if (width <= 0 || height <= 0 || !UpdateFrame() || m_screen.isNull())
        return QImage();
    return m_screen.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

void CTreskPrevWnd::paintEvent(QPaintEvent*) {
    // Only shows the last frame: rendering here would report the camera from a paint.
    QPainter p(this);
    const int pictureHeight = height() - kPrevButtonStrip;
    if (!m_screen.isNull())
        p.drawImage(QRect(0, 0, width(), pictureHeight), m_screen);
    p.fillRect(0, pictureHeight, width(), kPrevButtonStrip, palette().color(QPalette::Button));
}
