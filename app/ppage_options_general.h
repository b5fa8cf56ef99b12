// The "General" page of the options sheet: the run-time flags, the pak list and the Quake 2
// path. The page holds its own copies of the values; the sheet copies them in before it runs
// and out again after OK. The pak list is the one exception: the page rewrites the list it was
// given in its own OK step, so Cancel leaves it untouched.
#pragma once

#include <QWidget>

#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

class CPPageOptionsGeneral : public QWidget {
    Q_OBJECT
  public:
    CPPageOptionsGeneral(std::vector<std::string>* pakFiles, QWidget* parent = nullptr);

    // The page's fields, exchanged with the controls by LoadFields / StoreFields.
    std::string quake2Path;
    bool insideSelect = false;
    bool showIdsAsHex = false;
    bool deleteWithoutConfirmation = false;

    // Fills the controls from the fields and the pak list (in list order).
    void LoadFields();
    // Takes the controls into the fields (never refuses).
    void StoreFields();
    // OK: the pak list is emptied and refilled from the list box, entry 0 first.
    void OnOK();

  private:
    void UpdateButtons();
    void OnAdd();
    void OnEdit();
    void OnRemove();
    void OnBrowse();
    // A pak file chosen with the file dialog, starting at `initial`; empty on Cancel.
    QString PickPakFile(const QString& initial);

    std::vector<std::string>* pakFiles_;
    QCheckBox* insideSelectBox_;
    QCheckBox* showIdsAsHexBox_;
    QCheckBox* deleteWithoutConfirmationBox_;
    QListWidget* pakList_;
    QPushButton* addButton_;
    QPushButton* editButton_;
    QPushButton* removeButton_;
    QLineEdit* quake2PathEdit_;
};
