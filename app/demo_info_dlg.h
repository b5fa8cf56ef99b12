// "Demo Info" (dialog 171): the demo-wide fields and the six precache lists. The dialog only
// shows and collects; what its buttons do and what OK checks are in editor/demo_info.h.
#pragma once

#include "qt_ui.h"

#include "editor/demo_info.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QListWidget;

class CDemoInfoDlg : public QDialog {
    Q_OBJECT
  public:
    // The questions and messages of the list buttons open over the dialog.
    explicit CDemoInfoDlg(QWidget* parent = nullptr);

    void SetData(const DemoInfoDlgData& preset);
    // The lists as the buttons left them; the fields as typed once OK was accepted.
    const DemoInfoDlgData& Data() const { return data_; }

    void accept() override;

  private:
    struct ListPair {
        QListWidget* index = nullptr;
        QListWidget* names = nullptr;
    };
    QLineEdit* AddField(int id);
    void FillList(DemoInfoTable table);
    int SelectedRow(DemoInfoTable table) const;
    void Add(DemoInfoTable table);
    void Delete(DemoInfoTable table);
    void EditSkin();

    QtUi ui_{this};
    DemoInfoDlgData data_;
    std::array<ListPair, kDemoInfoTables> lists_;
};
