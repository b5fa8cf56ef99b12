#include "editor/pages/signon_pages.h"

#include "editor/pages/page_units.h"

using page_units::FormatInt;

CServerDataPage::CServerDataPage() : MessagePage(IDD_PAGE_SERVERDATA) {
    AddField("protocol", "Version:", PageFieldKind::Number);
    AddField("server_count", "Key:", PageFieldKind::Number);
    AddField("attract_loop", "IsDemo:", PageFieldKind::Number);
    AddField("game_dir", "Game:", PageFieldKind::Line).maxChars = kMaxTextChars;
    AddField("player_number", "Player:", PageFieldKind::Number);
    AddField("level_name", "Map Name:", PageFieldKind::Line).maxChars = kMaxTextChars;
}

void CServerDataPage::Fill(const DemoMessage& record, const CTreskDoc&) {
    const auto* m = MessageCast<ServerDataMessage>(&record);
    if (m == nullptr) {
        return;
    }
    Load("protocol", FormatInt(m->protocol));
    Load("server_count", FormatInt(m->server_count));
    Load("attract_loop", FormatInt(m->attract_loop));
    Load("game_dir", m->game_dir);
    Load("player_number", FormatInt(m->player_number));
    Load("level_name", m->level_name);
}

void CServerDataPage::Apply(DemoMessage& record, Ui& ui) {
    auto* m = MessageCast<ServerDataMessage>(&record);
    if (m == nullptr) {
        return;
    }
    TakeInto("protocol", ui, m->protocol);
    TakeInto("server_count", ui, m->server_count);
    TakeInto("attract_loop", ui, m->attract_loop);
    TakeText("game_dir", kMaxTextChars, ui, m->game_dir);
    TakeInto("player_number", ui, m->player_number);
    TakeText("level_name", kMaxTextChars, ui, m->level_name);
}

CConfigStringPage::CConfigStringPage() : MessagePage(IDD_PAGE_CONFIGSTRING) {
    AddField("index", "Index:", PageFieldKind::Number);
    AddField("value", "Value:", PageFieldKind::Line).maxChars = kMaxTextChars;
}

void CConfigStringPage::Fill(const DemoMessage& record, const CTreskDoc&) {
    const auto* m = MessageCast<ConfigStringMessage>(&record);
    if (m == nullptr) {
        return;
    }
    Load("index", FormatInt(m->index));
    Load("value", m->value);
}

void CConfigStringPage::Apply(DemoMessage& record, Ui& ui) {
    auto* m = MessageCast<ConfigStringMessage>(&record);
    if (m == nullptr) {
        return;
    }
    TakeInto("index", ui, m->index);
    TakeText("value", kMaxTextChars, ui, m->value);
}
