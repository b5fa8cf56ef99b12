// Page 196: an inventory. "Inventory Items:" lists every item that has a name in the
// document's item table or a count other than 0, as "name" and count; edited counts are
// written back.
#pragma once

#include "editor/pages/message_page.h"

class CInventoryPage : public MessagePage {
  public:
    CInventoryPage();
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;
    void Apply(DemoMessage& record, Ui& ui) override;
};
