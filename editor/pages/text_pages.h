// The pages of the text messages: 195 layout ("Layout String:"), 155 centerprint ("Text:")
// and 142, shared by print ("Text:" and "Type:", the level) and stufftext (the text only: its
// "Type:" field is neither loaded nor written, so it keeps the value last shown).
#pragma once

#include "editor/pages/message_page.h"

class CLayoutPage : public MessagePage {
  public:
    CLayoutPage();
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;
    void Apply(DemoMessage& record, Ui& ui) override;
};

class CCenterPrintPage : public MessagePage {
  public:
    CCenterPrintPage();
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;
    void Apply(DemoMessage& record, Ui& ui) override;
};

class CPrintPage : public MessagePage {
  public:
    CPrintPage();
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;
    void Apply(DemoMessage& record, Ui& ui) override;
};
