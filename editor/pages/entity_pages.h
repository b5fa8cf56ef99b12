// The pages of an entity state: 166 spawnbaseline and 199 packetentities. Both show the whole
// state and the model file name of the first model index.
//
// The baseline page writes everything back but the file name. Its angles show in degrees
// (raw x 1.40625) and go back to the nearest 8-bit angle; its frame shows the low 8 bits
// (255 for a frame that was not sent). Like every field left as shown, an angle or frame
// keeps the record's value, so showing and leaving a baseline never changes it.
//
// The packet entity page writes back only the four model indices and "Remove Entity"; its
// other fields are shown read-only.
#pragma once

#include "editor/pages/message_page.h"

class CEntityPage : public MessagePage {
  public:
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;

  protected:
    explicit CEntityPage(int resourceId);
    virtual bool Serves(uint8_t type) const = 0;
};

class CSpawnBaselinePage : public CEntityPage {
  public:
    CSpawnBaselinePage();
    void Apply(DemoMessage& record, Ui& ui) override;

  protected:
    bool Serves(uint8_t type) const override;
};

class CPacketEntitiesPage : public CEntityPage {
  public:
    CPacketEntitiesPage();
    void Fill(const DemoMessage& record, const CTreskDoc& doc) override;
    void Apply(DemoMessage& record, Ui& ui) override;

  protected:
    bool Serves(uint8_t type) const override;
};
