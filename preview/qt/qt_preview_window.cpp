#include "qt_preview_window.h"

#include "orrery/ctreskprevwnd.h"

#include <QTimer>

#include <cstring>

PreviewImage ToPreviewImage(const QImage& image) {
    PreviewImage result;
    if (image.isNull()) {
        return result;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    result.width = rgb.width();
    result.height = rgb.height();
    result.pixels.resize(static_cast<size_t>(result.width) * static_cast<size_t>(result.height));
    for (int y = 0; y < result.height; ++y) {
        std::memcpy(&result.pixels[static_cast<size_t>(y) * static_cast<size_t>(result.width)],
                    rgb.constScanLine(y), static_cast<size_t>(result.width) * 4);
    }
    return result;
}

QImage ToQImage(const PreviewImage& image) {
    if (image.Empty()) {
        return QImage();
    }
    QImage result(image.width, image.height, QImage::Format_RGB32);
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(result.scanLine(y),
                    &image.pixels[static_cast<size_t>(y) * static_cast<size_t>(image.width)],
                    static_cast<size_t>(image.width) * 4);
    }
    return result;
}

std::unique_ptr<PreviewWindow> QtPreviewWindowFactory::Open(const PreviewWindowRequest& request,
                                                            std::string* whyNot) {
    auto window = std::make_unique<CTreskPrevWnd>(request.host, request.libraryPaths);
    if (window->RefusedAsSecond()) {
        *whyNot = "A 3D preview is already open. Close it before opening another one.";
        return nullptr;
    }
    if (!window->IsBound()) {
        std::string looked;
        for (const std::string& path : request.libraryPaths) {
            looked += "\n" + path;
        }
        *whyNot = "The 3D preview cannot start: no renderer library could be loaded. Looked "
                  "for:" +
                  (looked.empty() ? std::string("\n(no folder set)") : looked);
        return nullptr;
    }
    if (!window->Create(request.title.c_str(), request.owner)) {
        *whyNot = "The 3D preview cannot start: the renderer library made no window.";
        return nullptr;
    }
    return std::make_unique<QtPreviewWindow>(window.release());
}

QtPreviewWindow::QtPreviewWindow(CTreskPrevWnd* window) : window_(window) {}

QtPreviewWindow::~QtPreviewWindow() {
    delete window_;
}

int QtPreviewWindow::BeginRegistration(const char* mapName) {
    return window_->BeginRegistration(mapName);
}
int QtPreviewWindow::RegisterModel(int index, const char* path) {
    return window_->RegisterModel(index, path);
}
int QtPreviewWindow::SetSky(const char* name, float rotate, const float axis[3]) {
    return window_->SetSky(name, rotate, axis);
}
int QtPreviewWindow::EndRegistration() {
    return window_->EndRegistration();
}
void QtPreviewWindow::SpawnEntity(int number, preventity_s* record) {
    window_->SpawnEntity(number, record);
}
void QtPreviewWindow::UpdateEntity(int number, preventity_s* record) {
    window_->UpdateEntity(number, record);
}
void QtPreviewWindow::HideEntity(int number) {
    window_->HideEntity(number);
}
bool QtPreviewWindow::HasEntity(int number) const {
    return window_->HasSlot(number);
}
void QtPreviewWindow::UpdatePlayerInfo(const prevplayer_s* record) {
    window_->UpdatePlayerInfo(record);
}
int QtPreviewWindow::UpdateFrame() {
    return window_->UpdateFrame();
}
void QtPreviewWindow::Print(int level, const char* text) {
    window_->Print(level, text);
}
void QtPreviewWindow::SetPlayback(bool playing) {
    window_->m_bPlayback = playing;
}
void QtPreviewWindow::SetBlockIndex(int index) {
    window_->m_nBlockIndex = index;
}
bool QtPreviewWindow::SelectionRecord() const {
    return window_->IsSelectionRecord();
}
PreviewImage QtPreviewWindow::GrabScreen(int width, int height) {
    return ToPreviewImage(window_->GrabScreen(width, height));
}

void QtPreviewWindow::HoldClock(float seconds) {
    window_->HoldClock(seconds);
}

void QtPreviewWindow::ReleaseClock() {
    window_->ReleaseClock();
}

QtPreviewTimers::QtPreviewTimers(std::function<void(int)> tick, QObject* parent)
    : QObject(parent), tick_(std::move(tick)) {}

void QtPreviewTimers::Start(int timer, int milliseconds) {
    QTimer*& t = timers_[timer];
    if (t == nullptr) {
        t = new QTimer(this);
        QObject::connect(t, &QTimer::timeout, this, [this, timer] { tick_(timer); });
    }
    t->start(milliseconds);
}

void QtPreviewTimers::Stop(int timer) {
    if (auto it = timers_.find(timer); it != timers_.end()) {
        it->second->stop();
    }
}

bool QtPreviewTimers::IsRunning(int timer) const {
    const auto it = timers_.find(timer);
    return it != timers_.end() && it->second->isActive();
}
