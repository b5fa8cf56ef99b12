// Help > Keyboard Shortcuts: the editor's keys in a table, drawn from the same tables that bind
// them (the form's navigation keys and the editor window's accelerators).
#pragma once

#include <QString>

#include <vector>

class QDialog;
class QWidget;

struct ShortcutRow {
    QString keys;   // as the person types them, in the platform's notation
    QString action; // what the key does
};

// The navigation keys of the editor form first, then the accelerators of the editor window.
std::vector<ShortcutRow> KeyboardShortcutRows();

// The dialog (object name "KeyboardShortcuts") with one table row per shortcut.
QDialog* CreateKeyboardShortcutsDialog(QWidget* parent);
// Shows the dialog modally and deletes it afterwards.
void RunKeyboardShortcutsDialog(QWidget* parent);
