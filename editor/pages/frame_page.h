// Page 201: a frame. "Seq1:" server frame, "Seq2:" delta frame, "Count:" area bits length;
// all three are written back.
#pragma once

#include "editor/pages/message_page.h"

class CFramePage : public MessagePage {
  public:
    CFramePage();
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;
    void Apply(DemoMessage& record, Ui& ui) override;
};
