#include "editor/pages/nothing_page.h"

CNothingPage::CNothingPage() : MessagePage(IDD_PAGE_NOTHING) {
    AddField("nothing", "NOTHING TO EDIT", PageFieldKind::Static);
}

void CNothingPage::Fill(const DemoMessage&, const CTreskDoc&) {}

void CNothingPage::Apply(DemoMessage&, Ui&) {}
