#include "main_frame.h"

#include "filmstrip_bar.h"

#include "child_frame.h"
#include "cinerad_app.h"
#include "command_table.h"
#include "demo_drop.h"
#include "doc_host.h"
#include "keyboard_shortcuts_dlg.h"
#include "lock_key_state.h"
#include "options_sheet.h"
#include "settings_store.h"
#include "tresk_view_form.h"
#include "splash_wnd.h"
#include "view.h"
#include "window_arrangement.h"

#include "preview/preview_driver.h"

#include "demo/app_settings.h"
#include "editor/command_ids.h"
#include "orrery/cqrefapiimport.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

#include <map>

namespace {

const char* const kTemplateProperty = "cineradTemplate";
const char* const kAppTitle = "Cinerad II";
constexpr int kLockKeyPollMs = 250;

} // namespace

CMainFrame::CMainFrame(CTreskApp& app) : app_(app) {
    setObjectName(QStringLiteral("CMainFrame"));
    setWindowTitle(QString::fromLatin1(kAppTitle));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(mdi_);

    CreateActions();
    CreateToolBar();
    CreateStatusBar();
    CreateFilmStrip();
    connect(mdi_, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);
    // Demos dropped from a file manager open as if chosen with File Open.
    new DemoDropHandler(this, [this](const QString& path) { app_.OpenDocumentFile(path); });
    ApplyMenu(kMenuNoDocument);
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateActions() {
    for (const CommandInfo& info : Commands()) {
        auto* action = new QAction(QString::fromLatin1(info.text), this);
        action->setObjectName(QString::number(info.id));
        action->setData(info.id);
        action->setStatusTip(CommandPrompt(info));
        const QString tip = CommandToolTip(info);
        if (!tip.isEmpty()) {
            action->setToolTip(tip);
        }
        action->setCheckable(info.checkable);
        const int id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        // Added to the window itself, so that accelerators work whichever menu is shown.
        addAction(action);
        actions_[info.id] = action;
    }
}

void CMainFrame::CreateToolBar() {
    toolbar_ = new QToolBar(tr("Toolbar"), this);
    toolbar_->setObjectName(QStringLiteral("ToolBar"));
    toolbar_->setIconSize(QSize(16, 15));
    toolbar_->setAllowedAreas(Qt::AllToolBarAreas);
    for (const ToolbarButton& button : ToolbarButtons()) {
        if (button.id == 0) {
            toolbar_->addSeparator();
            continue;
        }
        QAction* action = Action(button.id);
        action->setIcon(ToolbarIcon(button.glyph));
        toolbar_->addAction(action);
    }
    addToolBar(Qt::TopToolBarArea, toolbar_);
}

void CMainFrame::CreateFilmStrip() {
    filmStrip_ = new CFilmStripBar(this);
    filmStrip_->Create(QStringLiteral("FilmStrip"), 10, 100, 75);
    addDockWidget(Qt::TopDockWidgetArea, filmStrip_);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    // The message pane: prompts replace the idle text while a menu item or button is pointed at.
    auto* ready = new QLabel(tr("Ready"), bar);
    ready->setObjectName(QStringLiteral("MessagePane"));
    bar->addWidget(ready, 1);
    const auto pane = [bar](const QString& text) {
        auto* label = new QLabel(text, bar);
        label->setObjectName(text);
        label->setFrameShape(QFrame::StyledPanel);
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        bar->addPermanentWidget(label);
        return label;
    };
    capPane_ = pane(QStringLiteral("CAP"));
    numPane_ = pane(QStringLiteral("NUM"));
    scrlPane_ = pane(QStringLiteral("SCRL"));
    UpdateLockKeys();
    auto* timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, &CMainFrame::UpdateLockKeys);
    timer->start(kLockKeyPollMs);
}

void CMainFrame::UpdateLockKeys() {
    // An indicator shows its text while its lock is on, like the panes have always done; where
    // the window system does not tell the state, the panes stay empty.
    const LockKeyState state = QueryLockKeyState();
    capPane_->setText(state.caps ? QStringLiteral("CAP") : QString());
    numPane_->setText(state.num ? QStringLiteral("NUM") : QString());
    scrlPane_->setText(state.scroll ? QStringLiteral("SCRL") : QString());
}

void CMainFrame::LoadSettingsOnCreate() {
    AppSettings& settings = TheAppSettings();
    if (LoadSettings(settings) == SettingsLoad::FirstRun) {
        // Nothing stored yet: the person chooses the settings before the window shows. The
        // pak list is only handed to the renderer host if they press OK.
        OnOptions();
        return;
    }
    CQRefApiImport::AddPakFiles(settings.pakFiles);
    if (CSplashWindow::StartupSplashEnabled()) {
        CSplashWindow::ShowSplash(this);
    }
}

QMdiSubWindow* CMainFrame::CreateFrame(CDocTemplate& tmpl, DocHost& host) {
    CView* view = tmpl.createView(host, nullptr);
    const QList<QMdiSubWindow*> before = mdi_->subWindowList(QMdiArea::CreationOrder);
    QMdiSubWindow* previous = before.isEmpty() ? nullptr : before.back();
    QMdiSubWindow* frame = tmpl.childFrame ? new CChildFrame : new QMdiSubWindow;
    frame->setObjectName(QStringLiteral("Frame%1").arg(tmpl.id));
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setProperty(kTemplateProperty, tmpl.id);
    frame->setWidget(view);
    mdi_->addSubWindow(frame);
    frame->installEventFilter(this); // the save question before the last window of a demo goes
    connect(view, &CView::commandStateChanged, this, &CMainFrame::UpdateCommandUI);
    if (host.Views().size() == 1) {
        DocHost* h = &host;
        connect(h, &DocHost::modifiedChanged, this, [this, h] { UpdateFrameTitles(*h); });
        connect(h->UndoStack(), &QUndoStack::indexChanged, this, &CMainFrame::UpdateCommandUI);
    }

    view->OnInitialUpdate();
    if (auto* child = qobject_cast<CChildFrame*>(frame)) {
        child->FitToView();
    }
    // Each new window sits one step on from the one opened before it.
    frame->move(window_arrangement::NewFramePosition(*mdi_, previous));
    UpdateFrameTitles(host);
    frame->show();
    ActivateFrame(frame);
    return frame;
}

void CMainFrame::UpdateFrameTitles(DocHost& host) {
    // The file name, numbered when a demo has more than one window.
    const auto& views = host.Views();
    for (size_t i = 0; i < views.size(); ++i) {
        QWidget* w = views[i]->parentWidget();
        while (w != nullptr && qobject_cast<QMdiSubWindow*>(w) == nullptr) {
            w = w->parentWidget();
        }
        if (w != nullptr) {
            // "[*]" shows while the demo has changes that are not saved.
            w->setWindowTitle(views.size() == 1
                                  ? host.Title() + QStringLiteral("[*]")
                                  : QStringLiteral("%1:%2[*]").arg(host.Title()).arg(i + 1));
            w->setWindowModified(host.IsModified());
        }
    }
    UpdateTitle();
}

void CMainFrame::ActivateFrame(QMdiSubWindow* frame) {
    mdi_->setActiveSubWindow(frame);
    OnSubWindowActivated(frame);
}

int CMainFrame::TemplateOf(const QMdiSubWindow* frame) {
    return frame == nullptr ? 0 : frame->property(kTemplateProperty).toInt();
}

CView* CMainFrame::ActiveView() const {
    QMdiSubWindow* frame = mdi_->currentSubWindow();
    return frame == nullptr ? nullptr : qobject_cast<CView*>(frame->widget());
}

DocHost* CMainFrame::ActiveHost() const {
    CView* view = ActiveView();
    return view == nullptr ? nullptr : &view->Host();
}

QAction* CMainFrame::Action(int id) const {
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::OnSubWindowActivated(QMdiSubWindow* frame) {
    if (frame == nullptr) {
        frame = mdi_->currentSubWindow();
    }
    const int tmpl = TemplateOf(frame);
    int menuId = kMenuNoDocument;
    if (tmpl != 0) {
        if (CDocTemplate* t = app_.Templates().Find(tmpl)) {
            menuId = t->menuId;
        }
    }
    if (menuId != activeMenuId_) {
        ApplyMenu(menuId);
    }
    UpdateTitle();
    UpdateCommandUI();
}

void CMainFrame::ApplyMenu(int menuId) {
    activeMenuId_ = menuId;
    menuBar()->clear();
    // The popups of the previous menu may be the ones whose item led here.
    for (QMenu* old : menus_) {
        old->deleteLater();
    }
    menus_.clear();
    BuildMenu(nullptr, MenuDefinition(menuId));

    // The active window's accelerators come first; the frame's own table fills in the rest.
    std::map<QKeySequence, int> byKey;
    for (const Accelerator& a : AcceleratorTable(kMenuNoDocument)) {
        byKey[a.keys] = a.id;
    }
    if (menuId != kMenuNoDocument) {
        for (const Accelerator& a : AcceleratorTable(menuId)) {
            byKey[a.keys] = a.id;
        }
    }
    std::map<int, QList<QKeySequence>> byId;
    for (const auto& [keys, id] : byKey) {
        byId[id].append(keys);
    }
    for (auto& [id, action] : actions_) {
        const auto it = byId.find(id);
        action->setShortcuts(it == byId.end() ? QList<QKeySequence>() : it->second);
    }
}

void CMainFrame::BuildMenu(QMenu* menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        switch (entry.kind) {
        case MenuEntry::Kind::Command:
            if (QAction* action = Action(entry.id)) {
                menu->addAction(action);
            }
            break;
        case MenuEntry::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuEntry::Kind::Popup: {
            QMenu* popup = menu == nullptr ? menuBar()->addMenu(QString::fromLatin1(entry.text))
                                           : menu->addMenu(QString::fromLatin1(entry.text));
            if (menu == nullptr) {
                menus_.push_back(popup);
            }
            BuildMenu(popup, entry.items);
            connect(popup, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
            break;
        }
        case MenuEntry::Kind::RecentFiles:
            FillRecentFiles(menu);
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { FillRecentFiles(menu); });
            break;
        case MenuEntry::Kind::WindowList:
            FillWindowList(menu);
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { FillWindowList(menu); });
            break;
        }
    }
}

void CMainFrame::FillRecentFiles(QMenu* menu) {
    // The four recent-file items sit in the menu from the start; they show the list's entries,
    // or "Recent File" greyed while the list is empty.
    const QStringList& entries = app_.RecentFiles().Entries();
    QAction* exitAction = Action(ID_APP_EXIT);
    for (int i = 0; i < CRecentFileList::kSize; ++i) {
        QAction* action = Action(ID_FILE_MRU_FILE1 + i);
        if (!menu->actions().contains(action)) {
            menu->insertAction(exitAction, action);
        }
        if (i < entries.size()) {
            action->setText(app_.RecentFiles().MenuText(i));
            action->setVisible(true);
        } else {
            action->setText(i == 0 ? tr("Recent File") : QString());
            action->setVisible(i == 0);
        }
    }
    // Keep a separator between the list and Exit.
    const QList<QAction*> actions = menu->actions();
    const qsizetype exitIndex = actions.indexOf(exitAction);
    if (exitIndex > 0 && !actions[exitIndex - 1]->isSeparator()) {
        menu->insertSeparator(exitAction);
    }
    UpdateCommandUI();
}

void CMainFrame::FillWindowList(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (action->property("cineradWindowItem").toBool()) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    const QList<QMdiSubWindow*> frames = mdi_->subWindowList();
    if (frames.isEmpty()) {
        return;
    }
    QAction* separator = menu->addSeparator();
    separator->setProperty("cineradWindowItem", true);
    int n = 1;
    for (QMdiSubWindow* frame : frames) {
        auto* item = menu->addAction(QStringLiteral("&%1 %2").arg(n++).arg(frame->windowTitle()));
        item->setProperty("cineradWindowItem", true);
        item->setCheckable(true);
        item->setChecked(frame == mdi_->currentSubWindow());
        connect(item, &QAction::triggered, this, [this, frame] { ActivateFrame(frame); });
    }
}

void CMainFrame::UpdateTitle() {
    QMdiSubWindow* frame = mdi_->currentSubWindow();
    setWindowTitle(frame == nullptr ? QString::fromLatin1(kAppTitle)
                                    : QStringLiteral("%1 - %2").arg(QString::fromLatin1(kAppTitle),
                                                                    frame->windowTitle()));
    setWindowModified(frame != nullptr && frame->isWindowModified());
}

bool CMainFrame::IsCommandEnabled(int id) const {
    const CommandInfo* info = FindCommand(id);
    if (info == nullptr || info->rule == EnableRule::Never) {
        return false;
    }
    if (CView* view = ActiveView()) {
        if (const std::optional<bool> enabled = view->CommandEnabled(id)) {
            return *enabled;
        }
    }
    if (const std::optional<bool> enabled = CommandEnabled(id)) {
        return *enabled;
    }
    return app_.CommandEnabled(id).value_or(false);
}

bool CMainFrame::ExecuteCommand(int id) {
    if (!IsCommandEnabled(id)) {
        return false;
    }
    bool handled = false;
    if (CView* view = ActiveView(); view != nullptr && view->CommandEnabled(id).has_value()) {
        handled = view->OnCommand(id);
    } else if (CommandEnabled(id).has_value()) {
        handled = OnCommand(id);
    } else {
        handled = app_.OnCommand(id);
    }
    UpdateCommandUI();
    return handled;
}

void CMainFrame::UpdateCommandUI() {
    for (auto& [id, action] : actions_) {
        action->setEnabled(IsCommandEnabled(id));
    }
    // Undo and Redo name the command they would take back or make again.
    const QUndoStack* stack = ActiveHost() != nullptr ? ActiveHost()->UndoStack() : nullptr;
    const auto named = [](const char* verb, const QString& what, const char* keys) {
        return QString::fromLatin1(verb) +
               (what.isEmpty() ? QString() : QStringLiteral(" ") + what) +
               QString::fromLatin1(keys);
    };
    Action(ID_EDIT_UNDO)
        ->setText(named("&Undo", stack ? stack->undoText() : QString(), "\tCtrl+Z"));
    Action(ID_EDIT_REDO)
        ->setText(named("&Redo", stack ? stack->redoText() : QString(), "\tCtrl+Shift+Z"));
    Action(ID_VIEW_TOOLBAR)->setChecked(toolbar_ != nullptr && !toolbar_->isHidden());
    Action(ID_VIEW_STATUS_BAR)->setChecked(!statusBar()->isHidden());
    auto* form = qobject_cast<CTreskViewForm*>(ActiveView());
    Action(ID_VIEW_3D_PREVIEW)->setChecked(form != nullptr && form->Preview().IsOpen());
}

std::optional<bool> CMainFrame::CommandEnabled(int id) const {
    switch (id) {
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
    case ID_VIEW_OPTIONS:
    case ID_HELP_KEYBOARD:
    case ID_APP_EXIT:
        return true;
    case ID_WINDOW_NEW:
        return ActiveView() != nullptr;
    case ID_WINDOW_CASCADE:
    case ID_WINDOW_TILE_HORZ:
    case ID_WINDOW_TILE_VERT:
    case ID_WINDOW_ARRANGE:
        return !mdi_->subWindowList().isEmpty();
    default:
        return std::nullopt;
    }
}

bool CMainFrame::OnCommand(int id) {
    switch (id) {
    case ID_VIEW_TOOLBAR:
        toolbar_->setVisible(toolbar_->isHidden());
        return true;
    case ID_VIEW_STATUS_BAR:
        statusBar()->setVisible(statusBar()->isHidden());
        return true;
    case ID_VIEW_OPTIONS:
        OnOptions();
        return true;
    case ID_HELP_KEYBOARD:
        RunKeyboardShortcutsDialog(this);
        return true;
    case ID_APP_EXIT:
        close();
        return true;
    case ID_WINDOW_NEW: {
        QMdiSubWindow* frame = mdi_->currentSubWindow();
        CDocTemplate* tmpl = app_.Templates().Find(TemplateOf(frame));
        DocHost* host = ActiveHost();
        return tmpl != nullptr && host != nullptr && app_.OpenExtraFrame(*tmpl, *host);
    }
    case ID_WINDOW_CASCADE:
        window_arrangement::Cascade(*mdi_);
        return true;
    case ID_WINDOW_TILE_HORZ:
        window_arrangement::Tile(*mdi_, window_arrangement::TileDirection::Horizontal);
        return true;
    case ID_WINDOW_TILE_VERT:
        window_arrangement::Tile(*mdi_, window_arrangement::TileDirection::Vertical);
        return true;
    case ID_WINDOW_ARRANGE: {
        // Minimised windows line up along the bottom of the area.
        int x = 0;
        for (QMdiSubWindow* frame : mdi_->subWindowList()) {
            if (frame->isMinimized()) {
                frame->move(x, mdi_->viewport()->height() - frame->height());
                x += frame->width();
            }
        }
        return true;
    }
    default:
        return false;
    }
}

void CMainFrame::OnOptions() {
    RunOptionsSheet(this, TheAppSettings());
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    auto* frame = qobject_cast<QMdiSubWindow*>(watched);
    if (event->type() != QEvent::Close || frame == nullptr || closeConfirmed_) {
        return QMainWindow::eventFilter(watched, event);
    }
    auto* view = qobject_cast<CView*>(frame->widget());
    // Only the last window of a demo asks: the demo closes with it.
    if (view != nullptr && view->Host().Views().size() == 1 && !ConfirmClose(view->Host())) {
        event->ignore();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::ConfirmClose(DocHost& host) {
    return host.ConfirmClose(this,
                             [this, &host] { return app_.SaveDocument(host, host.PathName()); });
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // The settings are written first, whatever happens to the windows afterwards.
    SaveSettings(TheAppSettings());
    // Every modified demo is asked about before any window goes: Cancel keeps them all.
    for (DocHost* host : app_.Documents()) {
        if (!ConfirmClose(*host)) {
            event->ignore();
            return;
        }
    }
    closeConfirmed_ = true;
    mdi_->closeAllSubWindows();
    closeConfirmed_ = false;
    event->accept();
}
