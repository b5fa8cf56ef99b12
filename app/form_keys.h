// The editor form's navigation keys: one table that both binds the keys and lists them on the
// Keyboard Shortcuts page. A key that means something to the focused text widget (Home in a
// line edit, Page Down in a text box) stays with that widget.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

struct FormKey {
    QKeySequence keys;
    int id;                  // the command or form button the key runs
    const char* description; // what it does, as the shortcuts page says it
};

// Every navigation key of the editor form, in the order the shortcuts page lists them.
const std::vector<FormKey>& FormKeys();

// Whether `keys` belongs to `focus` rather than to the form: editable line edits and text
// boxes keep Home, End, Page Up and Page Down, and lists keep them for moving between rows.
bool FocusOwnsKey(const QWidget* focus, const QKeySequence& keys);

// Watches the key presses that reach `form` or any widget inside it and runs `run` with the
// command of a form key (unless the focused widget owns the key).
class FormKeyFilter : public QObject {
    Q_OBJECT
  public:
    FormKeyFilter(QWidget* form, std::function<void(int)> run);
    ~FormKeyFilter() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* form_;
    std::function<void(int)> run_;
};
