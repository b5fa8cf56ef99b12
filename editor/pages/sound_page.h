// Page 140: a sound. Everything but the looked-up filename is written back; a field whose
// value changes gets its flag, so that it is sent even when its new value is 0. The
// attenuation shows in whole units (raw / 64, truncated), so an attenuation that is not a
// multiple of 64 comes back as the next lower multiple.
//
// "Auto-Origin" sets the origin fields from the camera (the current block's playerinfo) or
// from an entity of the current block's packetentities that the person names.
#pragma once

#include "editor/pages/message_page.h"

class CSoundPage : public MessagePage {
  public:
    CSoundPage();
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;
    void Apply(DemoMessage& record, Ui& ui) override;
    bool PressButton(std::string_view key, PageContext& context) override;

  private:
    bool AutoOrigin(PageContext& context);
};
