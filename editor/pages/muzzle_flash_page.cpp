#include "editor/pages/muzzle_flash_page.h"

#include "editor/pages/page_units.h"

using page_units::FormatInt;

CMuzzleFlashPage::CMuzzleFlashPage(int resourceId)
    : MessagePage(resourceId),
      type_(resourceId == IDD_PAGE_MUZZLEFLASH2 ? svc_muzzleflash2 : svc_muzzleflash) {
    AddField("entity", "Entity:", PageFieldKind::Number);
    AddField("effect", "Effect:", PageFieldKind::Number);
}

void CMuzzleFlashPage::Fill(const DemoMessage& record, const CTreskDoc&) {
    const auto* m = MessageCast<MuzzleFlashMessage>(&record);
    if (m == nullptr || record.type != type_) {
        return;
    }
    Load("entity", FormatInt(m->entity));
    Load("effect", FormatInt(m->weapon));
}

void CMuzzleFlashPage::Apply(DemoMessage& record, Ui& ui) {
    auto* m = MessageCast<MuzzleFlashMessage>(&record);
    if (m == nullptr || record.type != type_) {
        return;
    }
    TakeInto("entity", ui, m->entity);
    TakeInto("effect", ui, m->weapon);
}
