// Page 167: a temp entity. Writing back takes the subtype first, then the fields that the new
// subtype carries; the other record fields stay as they are.
#pragma once

#include "editor/pages/message_page.h"

class CTempEntityPage : public MessagePage {
  public:
    CTempEntityPage();
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;
    void Apply(DemoMessage& record, Ui& ui) override;

  private:
    int protocol_ = 0; // of the demo the shown record belongs to
};
