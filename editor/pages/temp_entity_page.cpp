#include "editor/pages/temp_entity_page.h"

#include "editor/pages/page_units.h"

#include "demo/codec.h"
#include "demo/temp_entity_codec.h"
#include "demo/tresk_doc.h"
#include "editor/ui.h"

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

// The page's own rows for the original effects (10 and 15 also carry the entity and the end
// position back); from 23 on the fields are those the effect has on the wire under the
// demo's protocol, where 26 and 27 changed meaning.
unsigned FieldsOf(uint8_t subtype, int protocol) {
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
        return kPosition | kEndPosition;
    case 10:
        return kCount | kPosition | kDirection | kSplashColour | kEntity | kEndPosition;
    case 15:
        return kCount | kPosition | kDirection | kSparksColour | kEntity | kEndPosition;
    case 16:
    case 19:
        return kEntity | kPosition | kEndPosition;
    default:
        break;
    }
    TeLayout layout = TempEntityLayout(subtype, protocol);
    unsigned fields = 0;
    for (int i = 0; i < layout.count; ++i) {
        switch (layout.fields[i]) {
        case TeField::kEntity:
            fields |= kEntity;
            break;
        case TeField::kPosition:
            fields |= kPosition;
            break;
        case TeField::kEndPosition:
            fields |= kEndPosition;
            break;
        case TeField::kDirection:
            fields |= kDirection;
            break;
        case TeField::kCount:
            fields |= kCount;
            break;
        case TeField::kSplashColor:
            fields |= kSplashColour;
            break;
        case TeField::kSparksColor:
            fields |= kSparksColour;
            break;
        default:
            break; // offsets, second entities, ids: not on the page
        }
    }
    return fields;
}

// Highest subtype the game knows; a new subtype must have a layout.
constexpr int kLastSubtype = 55;

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

void CTempEntityPage::Fill(const DemoMessage& record, const CTreskDoc& doc) {
    const auto* m = MessageCast<TempEntityMessage>(&record);
    if (m == nullptr) {
        return;
    }
    protocol_ = doc.protocolVersion;
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
    uint8_t shown = m->subtype;
    TakeInto("subtype", ui, m->subtype, 0, kLastSubtype);
    if (m->subtype != shown && TempEntityLayout(m->subtype, protocol_).fields == nullptr) {
        ui.ShowMessage(kInvalidTempEntityText); // no such effect: the subtype stays
        m->subtype = shown;
    }
    unsigned fields = FieldsOf(m->subtype, protocol_);
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
