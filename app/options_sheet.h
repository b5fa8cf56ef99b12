// The options sheet "Cinerad 2 Options": the General page, then the 3D Preview page.
#pragma once

#include <QDialog>

#include <string>
#include <vector>

struct AppSettings;
class CPPageOptions3dview;
class CPPageOptionsGeneral;
class QTabWidget;

class COptionsSheet : public QDialog {
    Q_OBJECT
  public:
    // Copies the settings into the pages. The General page edits a copy of the pak list.
    COptionsSheet(const AppSettings& settings, QWidget* parent = nullptr);

    // Copies the nine values and the pak list back into the settings (after OK only).
    void StoreInto(AppSettings& settings) const;

    CPPageOptionsGeneral* GeneralPage() const { return general_; }
    CPPageOptions3dview* PreviewPage() const { return preview_; }

    void accept() override;

  private:
    std::vector<std::string> pakFiles_;
    QTabWidget* tabs_;
    CPPageOptionsGeneral* general_;
    CPPageOptions3dview* preview_;
};

// Runs the sheet modally over `parent`. Only on OK: the settings take the pages' values and
// the renderer host's pak list is reloaded from the settings' list, in its order.
bool RunOptionsSheet(QWidget* parent, AppSettings& settings);
