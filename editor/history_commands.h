// The history family of the editor view: Undo and Redo of the document's edit history, and
// the three snapshots (B1 to B3 store the demo as it stands, R1 to R3 bring it back as one
// undoable step). Each stores the pending page edits first, so that they are an entry of their
// own, and shows the place the history brings back.
#pragma once

#include <string>

class CTreskView;

void EditUndo(CTreskView& view); // 57643
void EditRedo(CTreskView& view); // 57644
// The history moves alone, for a front end's own undo stack whose entries mirror the
// document's: no pending page edit is stored.
void UndoInView(CTreskView& view);
void RedoInView(CTreskView& view);

// B1 to B3 (slot 1 to 3).
void StoreSnapshot(CTreskView& view, int slot);
// R1 to R3; an empty slot is refused with a message.
void RestoreSnapshot(CTreskView& view, int slot);
// The buttons' tooltips.
std::string SnapshotTip(int slot, bool restore);
