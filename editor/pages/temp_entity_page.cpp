#include "editor/pages/temp_entity_page.h"

#include "editor/pages/page_units.h"

using page_units::FormatInt;

namespace {

// The page fields a subtype carries back into the record.
enum TempFields : unsigned {
    kPosition = 1u << 0,
    kDirection = 1u << 1,
    kEndPosition = 1u << 2,
    kCount = 1u << 3,
    kSplashColour = 1u << 4,
    kSparksColour = 1u << 5,
    kEntity = 1u << 6,
};

// Highest subtype the codec knows; the page refuses higher ones.
constexpr int kLastSubtype = 26;

unsigned FieldsOf(uint8_t subtype) {
    switch (subtype) {
    case 0:
    case 1:
    case 2:
    case 4:
    case 9:
    case 12:
    case 13:
    case 14:
        return kPosition | kDirection;
    case 5:
    case 6:
    case 7:
    case 8:
    case 17:
    case 18:
    case 20:
    case 21:
    case 22:
        return kPosition;
    case 3:
    case 11:
    case 23:
    case 26: // the same fields on the wire
        return kPosition | kEndPosition;
    case 10:
        return kCount | kPosition | kDirection | kSplashColour | kEntity | kEndPosition;
    case 15:
        return kCount | kPosition | kDirection | kSparksColour | kEntity | kEndPosition;
    case 16:
    case 19:
    case 24: // also an offset on the wire, which the page does not show
        return kEntity | kPosition | kEndPosition;
    case 25:
        return kCount | kPosition | kDirection | kSparksColour;
    default:
        return 0;
    }
}

} // namespace

CTempEntityPage::CTempEntityPage() : MessagePage(IDD_PAGE_TEMP_ENTITY) {
    AddField("subtype", "Entitytype:", PageFieldKind::Number);
    AddField("entity", "Entity:", PageFieldKind::Number);
    AddTriple("position", "Origin:", PageFieldKind::Number);
    AddTriple("end_position", "End Position:", PageFieldKind::Number);
    AddField("count", "Count:", PageFieldKind::Number);
    AddField("sparks_color", "Color:", PageFieldKind::Number);
    AddField("splash_color", "Sound:", PageFieldKind::Number);
    // The direction is an index into the game's normals; the two fields after it mean
    // nothing and are shown only.
    AddTriple("direction", "Move Direction:", PageFieldKind::Number);
    FindField("direction.1")->readOnly = true;
    FindField("direction.2")->readOnly = true;
}

void CTempEntityPage::Fill(const DemoMessage& record, const CTreskDoc&) {
    const auto* m = MessageCast<TempEntityMessage>(&record);
    if (m == nullptr) {
        return;
    }
    Load("subtype", FormatInt(m->subtype));
    Load("entity", FormatInt(m->entity));
    LoadCoords("position", m->position);
    LoadCoords("end_position", m->end_position);
    Load("count", FormatInt(m->count));
    Load("sparks_color", FormatInt(m->sparks_color));
    Load("splash_color", FormatInt(m->splash_color));
    Load("direction.0", FormatInt(m->direction));
    Load("direction.1", "0");
    Load("direction.2", "0");
}

void CTempEntityPage::Apply(DemoMessage& record, Ui& ui) {
    auto* m = MessageCast<TempEntityMessage>(&record);
    if (m == nullptr) {
        return;
    }
    // A subtype left as shown stays, even one the codec does not know; a new one must be known.
    TakeInto("subtype", ui, m->subtype, 0, kLastSubtype);
    unsigned fields = FieldsOf(m->subtype);
    if (fields & kCount) {
        TakeInto("count", ui, m->count);
    }
    if (fields & kEntity) {
        TakeInto("entity", ui, m->entity);
    }
    if (fields & kPosition) {
        TakeCoords("position", ui, m->position);
    }
    if (fields & kEndPosition) {
        TakeCoords("end_position", ui, m->end_position);
    }
    if (fields & kDirection) {
        TakeInto("direction.0", ui, m->direction);
    }
    if (fields & kSplashColour) {
        TakeInto("splash_color", ui, m->splash_color);
    }
    if (fields & kSparksColour) {
        TakeInto("sparks_color", ui, m->sparks_color);
    }
}
