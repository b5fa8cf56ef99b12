// The two small dialogs of the actor and visible-entity commands: "Copy Special Query"
// (dialog 215) and "Entity Description" (dialog 211).
#pragma once

#include "editor/ui.h"

#include <QDialog>

class QLineEdit;

class CCopySpecialDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CCopySpecialDlg(QWidget* parent = nullptr);

    void SetData(const CopySpecialDlgData& preset);
    const CopySpecialDlgData& Data() const { return data_; }

    // Takes the entity number; a text that is no number leaves the dialog open.
    void accept() override;

  private:
    CopySpecialDlgData data_;
    QLineEdit* entity_;
};

class CEntityDescriptionDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CEntityDescriptionDlg(QWidget* parent = nullptr);

    void SetData(const EntityDescriptionDlgData& preset);
    const EntityDescriptionDlgData& Data() const { return data_; }

    void accept() override;

  private:
    EntityDescriptionDlgData data_;
    QLineEdit* text_;
};
