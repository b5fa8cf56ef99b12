#include "editor/pages/page_set.h"

#include "editor/pages/entity_pages.h"
#include "editor/pages/frame_page.h"
#include "editor/pages/inventory_page.h"
#include "editor/pages/muzzle_flash_page.h"
#include "editor/pages/nothing_page.h"
#include "editor/pages/player_info_page.h"
#include "editor/pages/signon_pages.h"
#include "editor/pages/sound_page.h"
#include "editor/pages/temp_entity_page.h"
#include "editor/pages/text_pages.h"

MessagePageSet::MessagePageSet() {
    auto add = [this](std::unique_ptr<MessagePage> page, std::initializer_list<uint8_t> types) {
        for (uint8_t type : types) {
            byType_[type] = page.get();
        }
        pages_.push_back(std::move(page));
    };
    add(std::make_unique<CNothingPage>(), {svc_bad, svc_nop, svc_disconnect, svc_reconnect});
    add(std::make_unique<CMuzzleFlashPage>(IDD_PAGE_MUZZLEFLASH), {svc_muzzleflash});
    add(std::make_unique<CMuzzleFlashPage>(IDD_PAGE_MUZZLEFLASH2), {svc_muzzleflash2});
    add(std::make_unique<CTempEntityPage>(), {svc_temp_entity});
    add(std::make_unique<CLayoutPage>(), {svc_layout});
    add(std::make_unique<CInventoryPage>(), {svc_inventory});
    add(std::make_unique<CSoundPage>(), {svc_sound});
    add(std::make_unique<CPrintPage>(), {svc_print, svc_stufftext});
    add(std::make_unique<CCenterPrintPage>(), {svc_centerprint});
    add(std::make_unique<CServerDataPage>(), {svc_serverdata});
    add(std::make_unique<CConfigStringPage>(), {svc_configstring});
    add(std::make_unique<CSpawnBaselinePage>(), {svc_spawnbaseline});
    add(std::make_unique<CPacketEntitiesPage>(), {svc_packetentities});
    add(std::make_unique<CPlayerInfoPage>(), {svc_playerinfo});
    add(std::make_unique<CFramePage>(), {svc_frame});
}

MessagePageSet::~MessagePageSet() = default;

MessagePage* MessagePageSet::ForType(uint8_t type) const {
    return byType_[type];
}

MessagePage* MessagePageSet::ById(int resourceId) const {
    for (const auto& page : pages_) {
        if (page->ResourceId() == resourceId) {
            return page.get();
        }
    }
    return nullptr;
}
