#include "editor/pages/text_pages.h"

#include "editor/pages/page_units.h"

using page_units::FormatInt;

CLayoutPage::CLayoutPage() : MessagePage(IDD_PAGE_LAYOUT) {
    AddField("text", "Layout String:", PageFieldKind::MultiLine).maxChars = kMaxTextChars;
}

void CLayoutPage::Fill(const DemoMessage& record, const CTreskDoc&) {
    if (record.type == svc_layout) {
        Load("text", static_cast<const TextMessage&>(record).text);
    }
}

void CLayoutPage::Apply(DemoMessage& record, Ui& ui) {
    if (record.type == svc_layout) {
        TakeText("text", kMaxTextChars, ui, static_cast<TextMessage&>(record).text);
    }
}

CCenterPrintPage::CCenterPrintPage() : MessagePage(IDD_PAGE_CENTERPRINT) {
    AddField("text", "Text:", PageFieldKind::MultiLine).maxChars = kMaxTextChars;
}

void CCenterPrintPage::Fill(const DemoMessage& record, const CTreskDoc&) {
    if (record.type == svc_centerprint) {
        Load("text", static_cast<const TextMessage&>(record).text);
    }
}

void CCenterPrintPage::Apply(DemoMessage& record, Ui& ui) {
    if (record.type == svc_centerprint) {
        TakeText("text", kMaxTextChars, ui, static_cast<TextMessage&>(record).text);
    }
}

CPrintPage::CPrintPage() : MessagePage(IDD_PAGE_PRINT) {
    AddField("text", "Text:", PageFieldKind::MultiLine).maxChars = kMaxTextChars;
    AddField("type", "Type:", PageFieldKind::Number);
}

void CPrintPage::Fill(const DemoMessage& record, const CTreskDoc&) {
    if (const auto* print = MessageCast<PrintMessage>(&record)) {
        Load("text", print->text);
        Load("type", FormatInt(print->level));
        FindField("type")->enabled = true;
    } else if (record.type == svc_stufftext) {
        // A stufftext has no level: "Type:" keeps whatever it showed last, greyed.
        Load("text", static_cast<const TextMessage&>(record).text);
        FindField("type")->enabled = false;
    }
}

void CPrintPage::Apply(DemoMessage& record, Ui& ui) {
    if (auto* print = MessageCast<PrintMessage>(&record)) {
        TakeText("text", kMaxTextChars, ui, print->text);
        TakeInto("type", ui, print->level);
    } else if (record.type == svc_stufftext) {
        TakeText("text", kMaxTextChars, ui, static_cast<TextMessage&>(record).text);
    }
}
