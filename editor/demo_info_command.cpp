#include "editor/demo_info_command.h"

#include "demo/edit_transaction.h"
#include "demo/tresk_doc.h"
#include "editor/tresk_view.h"
#include "editor/ui.h"

void ApplyDemoInfo(CTreskView& view, const DemoInfoDlgData& data, DemoInfoScope scope) {
    CTreskDoc& doc = view.Document();
    if (!DemoInfoChanges(doc, data, scope)) {
        return;
    }
    const bool serverData = DemoInfoChangesServerData(doc, data, scope);
    EditTransaction edit(doc, BlockSpan{1, serverData ? 1u : 0u}, view.Place(), /*fields=*/true);
    WriteDemoInfo(doc, data, scope);
    view.CommitEdit(edit, "Edit demo information");
    view.RefreshView();
}

void DemoInfo(CTreskView& view) {
    if (!view.HasCurrentBlock()) {
        return;
    }
    view.ApplyMessagePage();
    DemoInfoDlgData data = DemoInfoFromDocument(view.Document());
    const bool ok = view.GetUi().RunDemoInfoDlg(data);
    ApplyDemoInfo(view, data, ok ? DemoInfoScope::kAll : DemoInfoScope::kTables);
}
