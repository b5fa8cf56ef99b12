// Page 200: the player state. Everything but the stats (shown read-only) is written back.
// The "Inventory" button has no action.
#pragma once

#include "editor/pages/message_page.h"

class CPlayerInfoPage : public MessagePage {
  public:
    CPlayerInfoPage();
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;
    void Apply(DemoMessage& record, Ui& ui) override;
};
