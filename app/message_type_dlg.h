// "Message Type": the prompt line the person types a type name into, and the sorted list of
// message types whose selection follows the typing.
#pragma once

#include "editor/message_type_dlg.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QListWidgetItem;

class CMessageTypeDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CMessageTypeDlg(QWidget* parent = nullptr);

    // Shows the preset's text in the edit (which moves the selection like typing would).
    void SetData(const MessageTypeDlgData& preset);
    const MessageTypeDlgData& Data() const { return data_; }

    // OK takes the selected entry's type, or -1 when no entry is selected.
    void accept() override;

  private:
    void OnTextChanged(const QString& text);
    void OnItemDoubleClicked(QListWidgetItem* item);

    MessageTypeDlgData data_;
    QLineEdit* text_;
    QListWidget* list_;
};
