#include "keyboard_shortcuts_dlg.h"

#include "command_table.h"
#include "form_keys.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// A menu text without its mnemonic marks and the key shown after the tab.
QString ActionName(const CommandInfo& info) {
    QString text = QString::fromLatin1(info.text).section(QLatin1Char('\t'), 0, 0);
    text.remove(QLatin1Char('&'));
    return text.simplified();
}

} // namespace

std::vector<ShortcutRow> KeyboardShortcutRows() {
    std::vector<ShortcutRow> rows;
    for (const FormKey& key : FormKeys()) {
        rows.push_back(
            {key.keys.toString(QKeySequence::NativeText), QString::fromLatin1(key.description)});
    }
    for (const Accelerator& a : AcceleratorTable(kMenuEditor)) {
        const CommandInfo* info = FindCommand(a.id);
        if (info == nullptr || info->rule == EnableRule::Never) {
            continue; // a key of a command that never runs is no shortcut
        }
        rows.push_back({a.keys.toString(QKeySequence::NativeText), ActionName(*info)});
    }
    return rows;
}

QDialog* CreateKeyboardShortcutsDialog(QWidget* parent) {
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("KeyboardShortcuts"));
    dialog->setWindowTitle(QObject::tr("Keyboard Shortcuts"));
    const std::vector<ShortcutRow> rows = KeyboardShortcutRows();
    auto* table = new QTableWidget(static_cast<int>(rows.size()), 2, dialog);
    table->setObjectName(QStringLiteral("ShortcutTable"));
    table->setHorizontalHeaderLabels({QObject::tr("Key"), QObject::tr("Action")});
    table->verticalHeader()->setVisible(false);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (size_t r = 0; r < rows.size(); ++r) {
        table->setItem(static_cast<int>(r), 0, new QTableWidgetItem(rows[r].keys));
        table->setItem(static_cast<int>(r), 1, new QTableWidgetItem(rows[r].action));
    }
    table->resizeColumnToContents(0);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(table);
    layout->addWidget(buttons);
    dialog->resize(420, 460);
    return dialog;
}

void RunKeyboardShortcutsDialog(QWidget* parent) {
    QDialog* dialog = CreateKeyboardShortcutsDialog(parent);
    dialog->exec();
    delete dialog;
}
