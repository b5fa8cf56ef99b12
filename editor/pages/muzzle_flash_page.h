// Pages 193 (muzzleflash) and 194 (muzzleflash2): "Entity:" and "Effect:" (the weapon or
// the flash number), both written back.
#pragma once

#include "editor/pages/message_page.h"

class CMuzzleFlashPage : public MessagePage {
  public:
    // resourceId is IDD_PAGE_MUZZLEFLASH or IDD_PAGE_MUZZLEFLASH2; each serves its own type.
    explicit CMuzzleFlashPage(int resourceId);
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;
    void Apply(DemoMessage& record, Ui& ui) override;

  private:
    uint8_t type_;
};
