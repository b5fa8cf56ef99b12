// The base of every view the program shows in a child window: a widget over one document that
// takes the commands routed to the active window.
#pragma once

#include "command_target.h"

#include <QWidget>

class DocHost;

class CView : public QWidget, public CommandTarget {
    Q_OBJECT
  public:
    CView(DocHost& host, QWidget* parent = nullptr);
    ~CView() override;

    DocHost& Host() const { return *host_; }

    // Runs once, after the frame is created and before it is first shown.
    virtual void OnInitialUpdate() {}

    std::optional<bool> CommandEnabled(int) const override { return std::nullopt; }
    bool OnCommand(int) override { return false; }

  signals:
    // The view changed what the frame's commands can do (for the toolbar and menus).
    void commandStateChanged();

  private:
    DocHost* host_;
};
