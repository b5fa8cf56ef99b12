// "Enter number": an unsigned number with a line of text above it.
#pragma once

#include "editor/ui.h"

#include <QDialog>

class QLabel;
class QLineEdit;

class CNumberDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CNumberDlg(QWidget* parent = nullptr);

    void SetData(const NumberDlgData& preset);
    const NumberDlgData& Data() const { return data_; }

    // OK takes the number; a text that is not an unsigned 32-bit number is refused with the
    // usual message and the dialog stays open.
    void accept() override;

  private:
    NumberDlgData data_;
    QLabel* text_;
    QLineEdit* number_;
};
