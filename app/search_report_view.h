// The search report (template 131): a list of what an Advanced Search found, from which the
// person goes to a message, selects blocks or deletes the listed messages. The rows and the
// commands are SearchReportModel's; this is its table.
#pragma once

#include "view.h"

#include "editor/search_report_model.h"

#include <QColor>

class QStandardItemModel;
class QTableView;
class Ui;

class CSearchReportView : public CView {
    Q_OBJECT
  public:
    // The report's colours: the list's background, the rows' background and their text.
    static const QColor kBackground;
    static const QColor kTextBackground;
    static const QColor kText;

    CSearchReportView(DocHost& host, Ui& ui, QWidget* parent = nullptr);

    // Runs the options dialog and fills the list.
    void OnInitialUpdate() override;
    std::optional<bool> CommandEnabled(int id) const override;
    // 32869 Delete Selection, 32870 Select Items, 32871 Update.
    bool OnCommand(int id) override;

    QTableView* Table() const { return table_; }
    SearchReportModel& Model() { return report_; }

  private:
    void ShowRows();
    void ShowColumns();
    std::vector<size_t> SelectedRows() const;

    SearchReportModel report_;
    QTableView* table_;
    QStandardItemModel* items_;
};
