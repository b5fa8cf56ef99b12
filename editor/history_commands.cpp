#include "editor/history_commands.h"

#include "demo/tresk_doc.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"

namespace {

void Show(CTreskView& view, const std::optional<EditPlace>& place, const std::string& status) {
    if (place) {
        view.ShowPlace(*place);
        view.GetUi().ShowStatus(status);
    } else {
        view.GetUi().Beep();
    }
}

} // namespace

void UndoInView(CTreskView& view) {
    EditHistory& history = view.Document().history;
    const std::string label = history.UndoLabel();
    Show(view, history.Undo(view.Document()), "Undone: " + label);
}

void RedoInView(CTreskView& view) {
    EditHistory& history = view.Document().history;
    const std::string label = history.RedoLabel();
    Show(view, history.Redo(view.Document()), "Redone: " + label);
}

void EditUndo(CTreskView& view) {
    view.ApplyMessagePage();
    if (view.historyHooks.undo) {
        view.historyHooks.undo();
    } else {
        UndoInView(view);
    }
}

void EditRedo(CTreskView& view) {
    view.ApplyMessagePage();
    if (view.historyHooks.redo) {
        view.historyHooks.redo();
    } else {
        RedoInView(view);
    }
}

void StoreSnapshot(CTreskView& view, int slot) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    view.ApplyMessagePage();
    view.Document().history.StoreSnapshot(slot, view.Place());
    view.GetUi().ShowStatus("Stored snapshot " + std::to_string(slot));
}

void RestoreSnapshot(CTreskView& view, int slot) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    view.ApplyMessagePage();
    EditHistory& history = view.Document().history;
    const std::string n = std::to_string(slot);
    if (!history.HasSnapshot(slot)) {
        view.GetUi().ShowMessage("Snapshot " + n + " is empty: B" + n +
                                 " stores the demo as it stands, R" + n + " brings it back.");
        return;
    }
    if (history.SnapshotDistance(slot) == 0) {
        view.GetUi().ShowStatus("The demo already is as snapshot " + n + " holds it");
        return;
    }
    Show(view, history.RestoreSnapshot(slot, view.Document()), "Restored snapshot " + n);
}

std::string SnapshotTip(int slot, bool restore) {
    const std::string n = std::to_string(slot);
    return restore ? "Restore snapshot " + n + ": bring the demo back to what B" + n +
                         " stored (undoable)"
                   : "Store snapshot " + n + ": remember the demo as it stands, for R" + n;
}
