#include "editor/pages/sound_page.h"

#include "demo/tresk_doc.h"
#include "editor/pages/page_units.h"
#include "editor/ui.h"

using page_units::FormatInt;
using page_units::FormatNumber;

namespace {

// The wire packs entity and channel into 16 bits: 13 bits of entity, 3 of channel.
constexpr int64_t kMaxSoundEntity = 8191;
constexpr int64_t kMaxChannel = 7;
constexpr int64_t kMaxAttenuation = 3;

} // namespace

CSoundPage::CSoundPage() : MessagePage(IDD_PAGE_SOUND) {
    AddField("volume", "Volume (0-255):", PageFieldKind::Number);
    AddField("attenuation", "Attenuation: (0-3)", PageFieldKind::Number);
    AddField("channel", "Channel (0-7):", PageFieldKind::Number);
    AddField("entity", "Entity Number:", PageFieldKind::Number);
    AddField("soundnum", "Soundnum:", PageFieldKind::Number);
    AddField("time_offset", "Time Offset: (ms)", PageFieldKind::Number);
    AddTriple("origin", "Origin (x,y,z):", PageFieldKind::Number);
    AddField("filename", "Filename:", PageFieldKind::ReadOnly);
    AddButton("auto_origin", "Auto-Origin");
}

void CSoundPage::Fill(const DemoMessage& record, const CTreskDoc& doc) {
    const auto* m = MessageCast<SoundMessage>(&record);
    if (m == nullptr) {
        return;
    }
    Load("volume", FormatInt(m->volume));
    Load("attenuation", FormatInt(page_units::AttenuationToPage(m->attenuation)));
    Load("channel", FormatInt(m->channel));
    Load("entity", FormatInt(m->entity));
    Load("soundnum", FormatInt(m->soundnum));
    Load("time_offset", FormatInt(m->time_offset));
    LoadCoords("origin", m->origin);
    Load("filename", doc.soundTable.Entry(static_cast<int>(m->soundnum) - 1));
}

void CSoundPage::Apply(DemoMessage& record, Ui& ui) {
    auto* m = MessageCast<SoundMessage>(&record);
    if (m == nullptr) {
        return;
    }
    const SoundMessage before = *m;
    TakeInto("volume", ui, m->volume);
    int64_t attenuation = 0;
    // Taken even as shown: the page holds whole units, so an attenuation that is not a
    // multiple of 64 comes back as the next lower multiple.
    if (TakeInt("attenuation", 0, kMaxAttenuation, ui, attenuation, true)) {
        m->attenuation = static_cast<uint8_t>(attenuation * page_units::kAttenuationScale);
    }
    TakeInto("channel", ui, m->channel, 0, kMaxChannel);
    TakeInto("entity", ui, m->entity, 0, kMaxSoundEntity);
    TakeInto("soundnum", ui, m->soundnum);
    TakeInto("time_offset", ui, m->time_offset);
    TakeCoords("origin", ui, m->origin);

    // A field that changed is sent from now on, even when its new value is 0.
    if (m->volume != before.volume) {
        m->flags |= SND_VOLUME;
    }
    if (m->attenuation != before.attenuation) {
        m->flags |= SND_ATTENUATION;
    }
    if (m->time_offset != before.time_offset) {
        m->flags |= SND_OFFSET;
    }
    if (m->entity != before.entity || m->channel != before.channel) {
        m->flags |= SND_ENT;
    }
    for (int i = 0; i < 3; ++i) {
        if (m->origin[i] != before.origin[i]) {
            m->flags |= SND_POS;
        }
    }
}

bool CSoundPage::PressButton(std::string_view key, PageContext& context) {
    if (key != "auto_origin") {
        return false;
    }
    return AutoOrigin(context);
}

bool CSoundPage::AutoOrigin(PageContext& context) {
    Ui& ui = context.ui;
    DemoBlock* block = context.doc.currentBlock;
    auto setOrigin = [this](const int16_t raw[3]) {
        for (int i = 0; i < 3; ++i) {
            SetValue(ComponentKey("origin", i), FormatNumber(page_units::CoordToPage(raw[i])));
        }
    };

    if (ui.Ask("Match sound origin to camera origin?")) {
        const auto* player =
            block != nullptr ? MessageCast<PlayerInfoMessage>(block->FindMessage(svc_playerinfo))
                             : nullptr;
        if (player == nullptr) {
            ui.ShowMessage("Error! Task was not completed.");
            return false;
        }
        setOrigin(player->state.origin);
        ui.ShowMessage("Successful.");
        return true;
    }

    ui.ShowMessage("Alright then!  Give me the entity # (use visible entities list).");
    NumberDlgData number;
    if (!ui.RunNumberDlg(number)) {
        return false;
    }
    const EntityMessage* found = nullptr;
    if (number.number != 0 && block != nullptr) {
        for (const DemoMessage* m = block->FirstMessage(); m != nullptr; m = m->next) {
            if (m->type == svc_packetentities) {
                const auto* entity = static_cast<const EntityMessage*>(m);
                if (entity->state.number == number.number) {
                    found = entity;
                    break;
                }
            }
        }
    }
    if (found == nullptr) {
        ui.ShowMessage("Error!  Couldn't find matching entity.");
        return false;
    }
    setOrigin(found->state.origin);
    SetValue("entity", FormatInt(number.number));
    SetValue("attenuation", "1");
    ui.ShowMessage("Successful.");
    return true;
}
