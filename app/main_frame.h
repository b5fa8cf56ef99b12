// The main window: an MDI area for the demo windows, the toolbar, the status bar and the menus
// of the active window's template. Every menu, toolbar and accelerator command is routed to the
// active view first, then to this frame, then to the application.
#pragma once

#include "command_target.h"

#include <QMainWindow>

#include <map>
#include <vector>

class CDocTemplate;
class CFilmStripBar;
class CTreskApp;
class CView;
class DocHost;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT
  public:
    explicit CMainFrame(CTreskApp& app);
    ~CMainFrame() override;

    // Reads the settings. On the first run (nothing stored) the options sheet runs at once,
    // before the window is shown; otherwise the pak list goes to the renderer host and the
    // splash window shows over this window.
    void LoadSettingsOnCreate();

    // A new child window of `tmpl` on the document, with its view's initial update done.
    QMdiSubWindow* CreateFrame(CDocTemplate& tmpl, DocHost& host);
    // Titles the document's windows after its file, numbered when it has several.
    void UpdateFrameTitles(DocHost& host);
    // Activates a child window (as a click on it would).
    void ActivateFrame(QMdiSubWindow* frame);

    QMdiArea* MdiArea() const { return mdi_; }
    QToolBar* ToolBar() const { return toolbar_; }
    // The filmstrip bar (101): ten 100 x 75 cells, docked at the top.
    CFilmStripBar* FilmStrip() const { return filmStrip_; }
    // The view of the active child window, or null.
    CView* ActiveView() const;
    DocHost* ActiveHost() const;
    // The template of a child window (0 when it is not one of ours).
    static int TemplateOf(const QMdiSubWindow* frame);

    // The action that stands for a command in the menus, toolbar and accelerators.
    QAction* Action(int id) const;
    // Routes a command as a menu choice would; false when it is disabled or nobody handles it.
    bool ExecuteCommand(int id);
    // Whether a command is enabled now (the rule the menus and toolbar show).
    bool IsCommandEnabled(int id) const;
    // Re-evaluates every command's enabled and checked state.
    void UpdateCommandUI();
    // The menu resource and accelerator table in force (128 when no child window is active).
    int ActiveMenuId() const { return activeMenuId_; }

    std::optional<bool> CommandEnabled(int id) const override;
    bool OnCommand(int id) override;

  protected:
    // Asks about every modified demo first (Save, Discard, Cancel); Cancel keeps the program.
    void closeEvent(QCloseEvent* event) override;
    // The close of a demo's last window asks about its changes the same way.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void CreateActions();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateFilmStrip();
    void OnSubWindowActivated(QMdiSubWindow* frame);
    // Puts the menus and accelerators of a menu resource in place.
    void ApplyMenu(int menuId);
    void BuildMenu(QMenu* menu, const std::vector<struct MenuEntry>& entries);
    void FillRecentFiles(QMenu* menu);
    void FillWindowList(QMenu* menu);
    void UpdateTitle();
    // "Save changes to NAME?" for a modified demo; false when the person cancels or the save
    // fails.
    bool ConfirmClose(DocHost& host);
    void UpdateLockKeys();
    void OnOptions();

    CTreskApp& app_;
    QMdiArea* mdi_;
    QToolBar* toolbar_ = nullptr;
    CFilmStripBar* filmStrip_ = nullptr;
    QLabel* capPane_ = nullptr;
    QLabel* numPane_ = nullptr;
    QLabel* scrlPane_ = nullptr;
    std::map<int, QAction*> actions_;
    std::vector<QMenu*> menus_; // the top-level popups of the menu shown
    int activeMenuId_ = 0;
    // The program is closing and every demo was asked about already.
    bool closeConfirmed_ = false;
};
