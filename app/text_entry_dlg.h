// "Enter text": a prompt and one line of text.
#pragma once

#include "editor/ui.h"

#include <QDialog>

class QLabel;
class QLineEdit;

class CTextEntryDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CTextEntryDlg(QWidget* parent = nullptr);

    void SetData(const TextEntryDlgData& preset);
    const TextEntryDlgData& Data() const { return data_; }

    void accept() override;

  private:
    TextEntryDlgData data_;
    QLabel* prompt_;
    QLineEdit* text_;
};
