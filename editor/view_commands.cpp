// The editor view's command table: which command id runs what, and when it is enabled.
#include "editor/tresk_view.h"

#include "demo/tresk_doc.h"
#include "editor/actor_import.h"
#include "editor/block_buffer.h"
#include "editor/camera.h"
#include "editor/command_ids.h"
#include "editor/demo_info_command.h"
#include "editor/entity_transforms.h"
#include "editor/film_effects.h"
#include "editor/history_commands.h"
#include "editor/removal.h"
#include "editor/search.h"
#include "editor/time_index.h"

namespace {

// The commands this view runs by id, buttons and menu items alike.
struct ViewCommand {
    int id;
    void (*run)(CTreskView&);
};

constexpr ViewCommand kViewCommands[] = {
    {IDC_NEXT_BLOCK, [](CTreskView& v) { v.OnNextBlock(); }},
    {IDC_PREVIOUS_BLOCK, [](CTreskView& v) { v.OnPreviousBlock(); }},
    {IDC_NEXT_MESSAGE, [](CTreskView& v) { v.OnNextMessage(); }},
    {IDC_PREVIOUS_MESSAGE, [](CTreskView& v) { v.OnPreviousMessage(); }},
    {IDC_GOTO_BLOCK, [](CTreskView& v) { v.OnGotoBlock(); }},
    {IDC_GOTO_MESSAGE, [](CTreskView& v) { v.OnGotoMessage(); }},
    {IDC_SELECT, [](CTreskView& v) { v.OnSelect(); }},
    {IDC_DELETE_MESSAGE, [](CTreskView& v) { v.OnDeleteMessage(); }},
    {ID_EDIT_SELECT_ALL, [](CTreskView& v) { v.OnSelectAll(); }},
    {ID_EDIT_DESELECT_ALL, [](CTreskView& v) { v.OnDeselectAll(); }},
    {ID_SEL_REVERSE, [](CTreskView& v) { v.OnReverseSelection(); }},
    {ID_EDIT_COPY, [](CTreskView& v) { v.OnEditCopy(); }},
    {ID_EDIT_CUT, [](CTreskView& v) { v.OnEditCut(); }},
    {ID_EDIT_PASTE, [](CTreskView& v) { v.OnEditPaste(); }},
    {ID_EDIT_DELETE_BLOCKS, [](CTreskView& v) { v.OnEditDeleteBlocks(); }},
    {ID_EDIT_CLEAR_BUFFER, [](CTreskView& v) { v.OnEditClearBuffer(); }},
    {ID_TOOLS_ADD_MESSAGE, [](CTreskView& v) { v.OnAddNewMessage(); }},
    {ID_EDIT_COPY_SPECIAL, OnCopySpecial},
    {ID_EDIT_PASTE_SPECIAL, OnPasteSpecial},
    {ID_EDIT_UNDO, EditUndo},
    {ID_EDIT_REDO, EditRedo},
    {IDC_BACKUP_B1, [](CTreskView& v) { StoreSnapshot(v, 1); }},
    {IDC_BACKUP_B2, [](CTreskView& v) { StoreSnapshot(v, 2); }},
    {IDC_BACKUP_B3, [](CTreskView& v) { StoreSnapshot(v, 3); }},
    {IDC_RESTORE_R1, [](CTreskView& v) { RestoreSnapshot(v, 1); }},
    {IDC_RESTORE_R2, [](CTreskView& v) { RestoreSnapshot(v, 2); }},
    {IDC_RESTORE_R3, [](CTreskView& v) { RestoreSnapshot(v, 3); }},
    {ID_SEARCH_JUMP_TO_TIME, JumpToTimeIndex},
    {ID_SEL_REMOVE_BY_KEYWORD, OnRemoveByKeyword},
    {ID_SEL_REMOVE_BY_TYPE, OnRemoveByType},
    {ID_SEL_REMOVE_BY_ENTITY, OnRemoveByEntity},
    {ID_SEL_REMOVE_BY_MODEL_KEYWORD, OnRemoveByModelKeyword},
    {ID_SEL_REMOVE_BY_SOUND_KEYWORD, OnRemoveBySoundKeyword},
    {ID_SEL_REMODEL_ENTITY, OnReModelEntity},
    {ID_SEL_CHANGE_WEAPON_MODEL, OnChangeWeaponModel},
    {ID_SEL_REMOVE_VIEW_WEAPON, OnRemoveViewWeapon},
    {ID_TOOLS_REMOVE_STATUS_BAR, OnRemoveStatusBar},
    {ID_TOOLS_HACK_PLAYER_FLAGS, OnHackPlayerFlags},
    {ID_SEL_TRACK_ENTITY, OnTrackEntity},
    {ID_SEL_RECAMERA, OnReCamera},
    {ID_SEL_SMOOTH_CAMERA, OnSmoothCamera},
    {ID_FX_ZOOM, OnZoomEffect},
    {ID_FX_FRAME_RATE, OnFrameRateEffect},
    {ID_FX_PALETTE_SHIFT, OnPaletteShiftEffect},
    {ID_FX_ENTITY_EFFECTS, OnEntityEffect},
    {ID_SEARCH_FIND_TEXT, FindText},
    {ID_SEARCH_TEXT_FORWARDS, FindTextForwards},
    {ID_SEARCH_TEXT_BACKWARDS, FindTextBackwards},
    {ID_SEARCH_FIND_TYPE, FindMessageType},
    {ID_SEARCH_TYPE_FORWARDS, FindTypeForwards},
    {ID_SEARCH_TYPE_BACKWARDS, FindTypeBackwards},
    {ID_TOOLS_KEYWORD_SEARCH_MODELS, KeywordSearchModels},
    {ID_VIEW_FIRST_PLAY_BLOCK, [](CTreskView& v) { v.OnFirstPlayBlock(); }},
    {ID_VIEW_LAST_BLOCK, [](CTreskView& v) { v.OnLastBlock(); }},
    {ID_VIEW_DEMO_INFO, DemoInfo},
};

const ViewCommand* FindViewCommand(int id) {
    for (const ViewCommand& c : kViewCommands) {
        if (c.id == id) {
            return &c;
        }
    }
    return nullptr;
}

} // namespace

bool CTreskView::OnCommand(int id) {
    if (const ViewCommand* c = FindViewCommand(id)) {
        c->run(*this);
        return true;
    }
    return false;
}

bool CTreskView::HandlesCommand(int id) {
    return FindViewCommand(id) != nullptr;
}

bool CTreskView::IsCommandEnabled(int id) {
    switch (id) {
    case ID_FILE_NEW:
    case ID_FILE_PRINT:
    case ID_FILE_PRINT_PREVIEW:
    case ID_WINDOW_NEW:
    case ID_VIEW_ENTITIES:
        return false;
    default:
        return true;
    }
}

bool CTreskView::IsCommandEnabledNow(int id) const {
    switch (id) {
    case ID_EDIT_PASTE:
    case ID_EDIT_CLEAR_BUFFER:
        return blockBuffer != nullptr && blockBuffer->HasBlocks();
    case ID_EDIT_UNDO:
        return Document().history.CanUndo();
    case ID_EDIT_REDO:
        return Document().history.CanRedo();
    default:
        return IsCommandEnabled(id);
    }
}

