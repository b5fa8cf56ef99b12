// "Block Selection": the first block (shown only), the last block and the number of blocks,
// the last two kept in step with each other while the person types.
#pragma once

#include "editor/ui.h"

#include <QDialog>

class QLineEdit;

class CBlockSelectionDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CBlockSelectionDlg(QWidget* parent = nullptr);

    // Shows the preset fields and reads both texts into last and count.
    void SetData(const BlockSelectionDlgData& preset);
    const BlockSelectionDlgData& Data() const { return data_; }

    void accept() override;

  private:
    void OnLastEdited(const QString& text);
    void OnCountEdited(const QString& text);

    BlockSelectionDlgData data_;
    QLineEdit* first_;
    QLineEdit* last_;
    QLineEdit* count_;
};
