#include "editor/pages/frame_page.h"

#include "editor/pages/page_units.h"

using page_units::FormatInt;

CFramePage::CFramePage() : MessagePage(IDD_PAGE_FRAME) {
    AddField("server_frame", "Seq1:", PageFieldKind::Number);
    AddField("delta_frame", "Seq2:", PageFieldKind::Number);
    AddField("area_bits_length", "Count:", PageFieldKind::Number);
}

void CFramePage::Fill(const DemoMessage& record, const CTreskDoc&) {
    const auto* m = MessageCast<FrameMessage>(&record);
    if (m == nullptr) {
        return;
    }
    Load("server_frame", FormatInt(m->server_frame));
    Load("delta_frame", FormatInt(m->delta_frame));
    Load("area_bits_length", FormatInt(m->area_bits_length));
}

void CFramePage::Apply(DemoMessage& record, Ui& ui) {
    auto* m = MessageCast<FrameMessage>(&record);
    if (m == nullptr) {
        return;
    }
    TakeInto("server_frame", ui, m->server_frame);
    TakeInto("delta_frame", ui, m->delta_frame);
    TakeInto("area_bits_length", ui, m->area_bits_length);
}
