// Page 184: the messages without fields (bad, nop, disconnect, reconnect). It shows
// "NOTHING TO EDIT" and writes nothing back.
#pragma once

#include "editor/pages/message_page.h"

class CNothingPage : public MessagePage {
  public:
    CNothingPage();
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;
    void Apply(DemoMessage& record, Ui& ui) override;
};
