// The editor's window content: the form with the block and message controls, the edit page of
// the current message, and the editor view behind them. Buttons and routed commands go to the
// view; the view shows its state through this form (ViewDisplay).
#pragma once

#include "view.h"

#include "editor/tresk_view.h"
#include "editor/view_display.h"

#include <QPointer>

#include <memory>

class CBlockBuffer;
class CPreviewDriver;
class QtPreviewTimers;
class QtPreviewWindowFactory;
class CPageWidget;
class QDialog;
class QLabel;
class QProgressBar;
class QPushButton;
class QScrollArea;
class Ui;

class CTreskViewForm : public CView, public ViewDisplay {
    Q_OBJECT
  public:
    // `blockBuffer` is the application's buffer that Copy, Cut and Paste work on; it outlives
    // every form.
    CTreskViewForm(DocHost& host, Ui& ui, CBlockBuffer& blockBuffer, QWidget* parent = nullptr);
    ~CTreskViewForm() override;

    CTreskView& View() { return *view_; }
    // The 3D preview of this view (command 32874, Refresh Filmstrip 1201).
    CPreviewDriver& Preview() { return *preview_; }
    // Decodes the demo (with a progress indication for large ones) and shows its first block
    // of play.
    void OnInitialUpdate() override;

    std::optional<bool> CommandEnabled(int id) const override;
    bool OnCommand(int id) override;
    // "&Models" and "&Sounds": a new floating list over this window (the window, or null for
    // another id).
    QDialog* OpenFloatingList(int id);

    // --- ViewDisplay ---
    void SetSelectionText(const std::string& text) override;
    void SetNameText(const std::string& text) override;
    void SetNumberText(const std::string& text) override;
    void SetProgressRange(uint32_t lower, uint32_t upper) override;
    void SetProgressPosition(uint32_t position) override;
    void ShowPage(const MessagePage& page) override;
    void UpdatePage(const MessagePage& page) override;
    void DestroyPage() override;
    void StorePageFields(MessagePage& page) override;
    void FocusView() override;

    // The size of the whole form, which a new window opens at.
    QSize sizeHint() const override;

    // The shown edit page's widget, or null.
    CPageWidget* PageWidget() const;

  private:
    QPushButton* AddButton(int id, const QString& text, QWidget* parent);
    void OnButton(int id);
    // The preview's commands; before a block-list change it stops the playback. True when
    // the command was the preview's own.
    bool RunPreviewCommand(int id);

    std::unique_ptr<CTreskView> view_;
    std::unique_ptr<QtPreviewWindowFactory> previewFactory_;
    QtPreviewTimers* previewTimers_;
    std::unique_ptr<CPreviewDriver> preview_;
    QLabel* selectionText_;
    QLabel* nameText_;
    QLabel* numberText_;
    QProgressBar* progress_;
    QScrollArea* formArea_;
    QScrollArea* pageArea_;
    QPointer<CPageWidget> pageWidget_;
};
