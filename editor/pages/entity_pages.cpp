#include "editor/pages/entity_pages.h"

#include "demo/tresk_doc.h"
#include "editor/pages/page_units.h"

using page_units::FormatInt;
using page_units::FormatNumber;

namespace {

// Model index of a player: its model comes from the skin, not the model table.
constexpr uint8_t kPlayerModelIndex = 255;
// Entity numbers index the document's 1024 entity slots.
constexpr int64_t kMaxEntityNumber = kMaxEntities - 1;
// Baseline angles are entered in whole degrees of a turn.
constexpr double kMaxBaselineAngle = 359;

const char* const kModelKeys[4] = {"modelindex1", "modelindex2", "modelindex3", "modelindex4"};

} // namespace

CEntityPage::CEntityPage(int resourceId) : MessagePage(resourceId) {
    AddField("number", "Entity:", PageFieldKind::Number);
    AddField("modelindex1", "Modelindex1:", PageFieldKind::Number);
    AddField("modelindex2", "Modelindex2:", PageFieldKind::Number);
    AddField("modelindex3", "Modelindex3:", PageFieldKind::Number);
    AddField("modelindex4", "Modelindex4:", PageFieldKind::Number);
    AddField("frame", "Frame:", PageFieldKind::Number);
    AddField("skinnum", "Skinnum:", PageFieldKind::Number);
    AddField("effects", "Effects:", PageFieldKind::Number);
    AddField("renderfx", "Renderfx:", PageFieldKind::Number);
    AddTriple("origin", "Origin:", PageFieldKind::Number);
    AddTriple("old_origin", "Old Origin:", PageFieldKind::Number);
    AddTriple("angles", "Angles:", PageFieldKind::Number);
    AddField("sound", "Sound:", PageFieldKind::Number);
    AddField("event", "Event:", PageFieldKind::Number);
    AddField("solid", "Solid:", PageFieldKind::Number);
    AddField("filename", "Filename:", PageFieldKind::ReadOnly);
}

void CEntityPage::Fill(const DemoMessage& record, const CTreskDoc& doc) {
    const auto* m = MessageCast<EntityMessage>(&record);
    if (m == nullptr || !Serves(record.type)) {
        return;
    }
    const EntityState& s = m->state;
    Load("number", FormatInt(s.number));
    Load("modelindex1", FormatInt(s.modelindex));
    Load("modelindex2", FormatInt(s.modelindex2));
    Load("modelindex3", FormatInt(s.modelindex3));
    Load("modelindex4", FormatInt(s.modelindex4));
    // The field holds 8 bits; a baseline frame that was not sent (0xFFFF) shows as 255.
    Load("frame", FormatInt(s.frame & 0xFF));
    Load("skinnum", FormatInt(s.skinnum));
    Load("effects", FormatInt(s.effects));
    Load("renderfx", FormatInt(s.renderfx));
    LoadCoords("origin", s.origin);
    LoadCoords("old_origin", s.old_origin);
    for (int i = 0; i < 3; ++i) {
        Load(ComponentKey("angles", i), FormatNumber(page_units::EntityAngleToPage(s.angles[i])));
    }
    Load("sound", FormatInt(s.sound));
    Load("event", FormatInt(s.event));
    Load("solid", FormatInt(s.solid));
    bool lookUp = record.type != svc_packetentities || s.modelindex != kPlayerModelIndex;
    Load("filename", lookUp ? doc.modelTable.Entry(static_cast<int>(s.modelindex) - 1) : "");
}

CSpawnBaselinePage::CSpawnBaselinePage() : CEntityPage(IDD_PAGE_SPAWNBASELINE) {}

bool CSpawnBaselinePage::Serves(uint8_t type) const {
    return type == svc_spawnbaseline;
}

void CSpawnBaselinePage::Apply(DemoMessage& record, Ui& ui) {
    auto* m = MessageCast<EntityMessage>(&record);
    if (m == nullptr || !Serves(record.type)) {
        return;
    }
    EntityState& s = m->state;
    TakeInto("number", ui, s.number, 0, kMaxEntityNumber);
    TakeInto("modelindex1", ui, s.modelindex);
    TakeInto("modelindex2", ui, s.modelindex2);
    TakeInto("modelindex3", ui, s.modelindex3);
    TakeInto("modelindex4", ui, s.modelindex4);
    // The field shows only 8 bits of the frame: as shown it keeps the record's frame, so a
    // frame that was not sent stays unsent and a 16-bit frame keeps its high bits.
    TakeInto("frame", ui, s.frame, 0, 255);
    TakeInto("skinnum", ui, s.skinnum);
    TakeInto("effects", ui, s.effects);
    TakeInto("renderfx", ui, s.renderfx);
    TakeCoords("origin", ui, s.origin);
    TakeCoords("old_origin", ui, s.old_origin);
    for (int i = 0; i < 3; ++i) {
        std::string key = ComponentKey("angles", i);
        double degrees = 0;
        if (TakeNumber(key, 0, kMaxBaselineAngle, ui, degrees)) {
            s.angles[i] = static_cast<uint8_t>(page_units::EntityAngleFromPage(degrees) & 0xFF);
        }
    }
    TakeInto("sound", ui, s.sound);
    TakeInto("event", ui, s.event);
    TakeInto("solid", ui, s.solid);
}

CPacketEntitiesPage::CPacketEntitiesPage() : CEntityPage(IDD_PAGE_PACKETENTITIES) {
    AddField("remove", "Remove Entity", PageFieldKind::CheckBox);
    // Only the model indices and the remove flag go back into the record.
    for (PageField& f : Fields()) {
        bool written = f.key == "remove";
        for (const char* key : kModelKeys) {
            written = written || f.key == key;
        }
        f.readOnly = f.readOnly || !written;
    }
}

bool CPacketEntitiesPage::Serves(uint8_t type) const {
    return type == svc_packetentities;
}

void CPacketEntitiesPage::Fill(const DemoMessage& record, const CTreskDoc& doc) {
    CEntityPage::Fill(record, doc);
    if (const auto* m = MessageCast<EntityMessage>(&record); m != nullptr && Serves(record.type)) {
        Load("remove", m->state.remove ? "1" : "0");
    }
}

void CPacketEntitiesPage::Apply(DemoMessage& record, Ui& ui) {
    auto* m = MessageCast<EntityMessage>(&record);
    if (m == nullptr || !Serves(record.type)) {
        return;
    }
    EntityState& s = m->state;
    TakeInto("modelindex1", ui, s.modelindex);
    TakeInto("modelindex2", ui, s.modelindex2);
    TakeInto("modelindex3", ui, s.modelindex3);
    TakeInto("modelindex4", ui, s.modelindex4);
    TakeInto("remove", ui, s.remove, 0, 1);
}
