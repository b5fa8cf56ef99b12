// The floating "Models" (dialog 190) and "Sounds" (dialog 191) lists: small resizable tool
// windows over an editor window listing the demo's precached models or sounds as they were
// when the window opened, with one button under the list. Each belongs to the editor view that
// opened it and closes with it, so it never outlives its demo.
#pragma once

#include <QDialog>

#include <string>

class ConfigStringTable;
class CTreskDoc;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class SoundPlayer;
class Ui;

// Row r of a list: "%i.%s" with r + 1 and the name in slot r.
QString FloatingListRowText(const ConfigStringTable& table, int row);

class CFloatingListDlg : public QDialog {
    Q_OBJECT
  public:
    QListWidget* List() const { return list_; }
    QPushButton* Button() const { return button_; }
    bool Ready() const { return ready_; }

  protected:
    // `dialogId` names the window, `listId` its list; the default size is in dialog units.
    CFloatingListDlg(CTreskDoc& doc, int dialogId, const QString& title, int listId,
                     const QString& buttonText, int widthDu, int heightDu, QWidget* parent);
    // Fills the list from a table and measures the controls.
    void OnInitDialog(const ConfigStringTable& table);
    // The button or a double-click on a row.
    virtual void OnButton() = 0;
    void resizeEvent(QResizeEvent* event) override;
    CTreskDoc& Document() const { return doc_; }

  private:
    void Layout(const QSize& client);

    CTreskDoc& doc_;
    QListWidget* list_;
    QPushButton* button_;
    int buttonHeight_ = 0;
    bool ready_ = false;
};

class CModelListDlg : public CFloatingListDlg {
    Q_OBJECT
  public:
    CModelListDlg(CTreskDoc& doc, QWidget* parent);

  protected:
    // View Model: update hint 10 to every view of the document with [row, 0].
    void OnButton() override;
};

class CSoundListDlg : public CFloatingListDlg {
    Q_OBJECT
  public:
    // `ui` shows the audition's error; `player` plays (both outlive the window).
    CSoundListDlg(CTreskDoc& doc, Ui& ui, SoundPlayer& player, QWidget* parent);

  protected:
    // Audition Sound: plays the selected row's sound (AuditionSound).
    void OnButton() override;

  private:
    Ui& ui_;
    SoundPlayer& player_;
};
