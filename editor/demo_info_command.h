// "&Demo Info" (32774): the Demo Info dialog over the editor view's document.
#pragma once

#include "editor/demo_info.h"

class CTreskView;

// Writes what the dialog holds into the view's document as one edit ("Edit demo information"),
// undoable and marking the document modified; nothing, and no history entry, when it would
// change nothing. Block 1 joins the edit when its serverdata's level name changes.
void ApplyDemoInfo(CTreskView& view, const DemoInfoDlgData& data, DemoInfoScope scope);

// 32774: does nothing for a demo without a current block. Otherwise stores the pending page
// edits and runs the dialog filled from the document. OK writes the fields and the lists;
// Cancel keeps the list changes (Add, Del and Edit take effect at once) and drops the fields.
void DemoInfo(CTreskView& view);
