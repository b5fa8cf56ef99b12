// "Advanced Search Options" (dialog 192): what the search report lists.
#pragma once

#include "editor/ui.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

class CAdvancedSearchDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAdvancedSearchDlg(QWidget* parent = nullptr);

    void SetData(const AdvancedSearchDlgData& preset);
    const AdvancedSearchDlgData& Data() const { return data_; }

    void accept() override;

  private:
    AdvancedSearchDlgData data_;
    QLineEdit* keyword_;
    QCheckBox* console_;
    QCheckBox* sound_;
};
