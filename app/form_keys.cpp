#include "form_keys.h"

#include "editor/command_ids.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

const std::vector<FormKey>& FormKeys() {
    using K = QKeySequence;
    static const std::vector<FormKey> keys = {
        {K(Qt::ALT | Qt::Key_Left), IDC_PREVIOUS_BLOCK, "Previous block"},
        {K(Qt::ALT | Qt::Key_Right), IDC_NEXT_BLOCK, "Next block"},
        {K(Qt::Key_PageUp), IDC_PREVIOUS_BLOCK, "Previous block"},
        {K(Qt::Key_PageDown), IDC_NEXT_BLOCK, "Next block"},
        {K(Qt::ALT | Qt::Key_Up), IDC_PREVIOUS_MESSAGE, "Previous message of the block"},
        {K(Qt::ALT | Qt::Key_Down), IDC_NEXT_MESSAGE, "Next message of the block"},
        {K(Qt::Key_Home), ID_VIEW_FIRST_PLAY_BLOCK, "First block of play (after the signon)"},
        {K(Qt::Key_End), ID_VIEW_LAST_BLOCK, "Last block of the demo"},
    };
    return keys;
}

namespace {

bool IsTextKey(const QKeySequence& keys) {
    static const QList<QKeySequence> textKeys = {
        QKeySequence(Qt::Key_Home),
        QKeySequence(Qt::Key_End),
        QKeySequence(Qt::Key_PageUp),
        QKeySequence(Qt::Key_PageDown),
    };
    return textKeys.contains(keys);
}

} // namespace

bool FocusOwnsKey(const QWidget* focus, const QKeySequence& keys) {
    if (focus == nullptr || !IsTextKey(keys)) {
        return false;
    }
    if (const auto* line = qobject_cast<const QLineEdit*>(focus)) {
        return !line->isReadOnly();
    }
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(focus)) {
        return !text->isReadOnly();
    }
    if (const auto* text = qobject_cast<const QTextEdit*>(focus)) {
        return !text->isReadOnly();
    }
    // Lists and tables move between their rows with these keys.
    return qobject_cast<const QAbstractItemView*>(focus) != nullptr;
}

FormKeyFilter::FormKeyFilter(QWidget* form, std::function<void(int)> run)
    : QObject(form), form_(form), run_(std::move(run)) {
    // Key presses go to the focused widget and then up to its parents; watching them at the
    // application catches them before a scroll area on the way uses Page Up for scrolling.
    qApp->installEventFilter(this);
}

FormKeyFilter::~FormKeyFilter() {
    qApp->removeEventFilter(this);
}

bool FormKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || (widget != form_ && !form_->isAncestorOf(widget))) {
        return false;
    }
    const auto* press = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers =
        press->modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QKeySequence keys(press->key() | modifiers);
    for (const FormKey& key : FormKeys()) {
        if (key.keys != keys) {
            continue;
        }
        // Without an active window (the program behind another) the form's window still
        // knows which of its widgets has the focus.
        const QWidget* focus = QApplication::focusWidget();
        if (focus == nullptr) {
            focus = form_->window()->focusWidget();
        }
        if (FocusOwnsKey(focus, keys)) {
            return false;
        }
        run_(key.id);
        return true;
    }
    return false;
}
