// The pages of the signon messages: 198 serverdata and 197 configstring; every field is
// written back.
#pragma once

#include "editor/pages/message_page.h"

class CServerDataPage : public MessagePage {
  public:
    CServerDataPage();
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;
    void Apply(DemoMessage& record, Ui& ui) override;
};

class CConfigStringPage : public MessagePage {
  public:
    CConfigStringPage();
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;
    void Apply(DemoMessage& record, Ui& ui) override;
};
