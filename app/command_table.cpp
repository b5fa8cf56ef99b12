#include "command_table.h"

#include "editor/command_ids.h"

#include <QStringList>

#include <map>

namespace {

using R = EnableRule;

// The string entries that are not the framework's usual ones keep their own wording, typos
// and all.
const std::vector<CommandInfo> kCommands = {
    // File
    {ID_FILE_NEW, "&New\tCtrl+N", "Create a new document\nThe Crazy Butthole Dude!", R::Routed,
     false},
    {ID_FILE_OPEN, "&Open...\tCtrl+O", "Open an existing document\nOpen", R::Routed, false},
    {ID_FILE_CLOSE, "&Close", "Close the active document\nClose", R::Routed, false},
    {ID_FILE_SAVE, "&Save\tCtrl+S", "Save the active document\nSave", R::Routed, false},
    {ID_FILE_SAVE_AS, "Save &As...", "Save the active document with a new name\nSave As", R::Routed,
     false},
    {ID_FILE_PRINT, "&Print...\tCtrl+P", "Print the active document\nPrint", R::Routed, false},
    {ID_FILE_PRINT_PREVIEW, "Print Pre&view", "Display full pages\nPrint Preview", R::Routed,
     false},
    {ID_FILE_PRINT_SETUP, "P&rint Setup...", "Change the printer and printing options\nPrint Setup",
     R::Never, false},
    {ID_FILE_MRU_FILE1, "Recent File", "Open this document", R::Routed, false},
    {ID_FILE_MRU_FILE1 + 1, "", "Open this document", R::Routed, false},
    {ID_FILE_MRU_FILE1 + 2, "", "Open this document", R::Routed, false},
    {ID_FILE_MRU_FILE4, "", "Open this document", R::Routed, false},
    {ID_APP_EXIT, "E&xit", "Quit the application; prompts to save documents\nExit", R::Routed,
     false},
    // Edit
    {ID_EDIT_UNDO, "&Undo\tCtrl+Z", "Undo the last action\nUndo", R::Routed, false},
    {ID_EDIT_REDO, "&Redo\tCtrl+Shift+Z", "Redo the last action undone\nRedo", R::Routed, false},
    {ID_EDIT_CLEAR_BUFFER, "C&lear Buffer", "Clears the buffer\nClear buffer", R::Routed, false},
    {ID_EDIT_CUT, "Cu&t\tCtrl+X", "Cut the currently selected blocks\nCut", R::Routed, false},
    {ID_EDIT_COPY, "&Copy\tCtrl+C", "Copy the the currently selected blocks\nCopy", R::Routed,
     false},
    {ID_EDIT_PASTE, "&Paste\tCtrl+V", "Insert the blocks that were cut/copied\nPaste", R::Routed,
     false},
    {ID_EDIT_DELETE_BLOCKS, "&Delete", "Delete the current selected blocks\nDelete", R::Routed,
     false},
    {ID_EDIT_COPY_SPECIAL, "Copy &Special", nullptr, R::Routed, false},
    {ID_EDIT_PASTE_SPECIAL, "Paste &Special", nullptr, R::Routed, false},
    {ID_EDIT_SELECT_ALL, "Select All\tCtrl+A", nullptr, R::Routed, false},
    {ID_EDIT_DESELECT_ALL, "DeSelect All\tAlt+A", nullptr, R::Routed, false},
    // Search
    {ID_SEARCH_FIND_TEXT, "&Find Text\tCtrl+F", "Search the demo for a text string\nFind Text",
     R::Routed, false},
    {ID_SEARCH_FIND_TYPE, "Find Message Type\tCtrl+G", nullptr, R::Routed, false},
    {ID_SEARCH_TEXT_FORWARDS, "Search &Forwards\tF3", nullptr, R::Routed, false},
    {ID_SEARCH_TEXT_BACKWARDS, "Search Backwards\tShift+F3", nullptr, R::Routed, false},
    {ID_SEARCH_TYPE_FORWARDS, "Search Forwards\tF4", nullptr, R::Routed, false},
    {ID_SEARCH_TYPE_BACKWARDS, "Search Backwards\tShift+F4", nullptr, R::Routed, false},
    {ID_SEARCH_ADVANCED, "Advanced Search", nullptr, R::Routed, false},
    {ID_SEARCH_JUMP_TO_TIME, "Jump to &Time Index", nullptr, R::Routed, false},
    // View
    {ID_VIEW_TOOLBAR, "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", R::Routed, true},
    {ID_VIEW_STATUS_BAR, "&Status Bar", "Show or hide the status bar\nToggle StatusBar", R::Routed,
     true},
    {ID_VIEW_DEMO_INFO, "&Demo Info", "Edit demo info\nDemo Info", R::Routed, false},
    {ID_VIEW_OPTIONS, "&Options", "Edit Tresk options\nOptions", R::Routed, false},
    {ID_VIEW_2D_OVERHEAD, "&2D Overhead Preview", nullptr, R::Routed, false},
    {ID_VIEW_3D_PREVIEW, "&3D Preview", "3D Preview\n3D Preview", R::Routed, true},
    {ID_VIEW_MODELS, "&Models",
     "Creates a 'floating' box listing all the models\nFloating model list", R::Routed, false},
    {ID_VIEW_SOUNDS, "&Sounds",
     "Creates a 'floating' box listing all the sounds\nFloating sound list", R::Routed, false},
    {ID_VIEW_VISIBLE_ENTITIES, "&Visible Entities", "Visible Entities List\nVisible Entities List",
     R::Routed, false},
    {ID_VIEW_FIRST_PLAY_BLOCK, "First Block of Play\tHome",
     "Go to the first block after the signon\nFirst Block of Play", R::Routed, false},
    {ID_VIEW_LAST_BLOCK, "Last Block\tEnd", "Go to the last block of the demo\nLast Block",
     R::Routed, false},
    {ID_VIEW_ENTITIES, "Entities", "Creates a 'floating' box listing all the entities.", R::Never,
     false},
    // Special FX
    {ID_FX_PALETTE_SHIFT, "&RGB Palette Shift",
     "Color shifting effects\nSpecial FX - RGB Palette Shift", R::Routed, false},
    {ID_FX_FRAME_RATE, "&FrameRate Effects", nullptr, R::Routed, false},
    {ID_FX_ZOOM, "&Zoom Effects", nullptr, R::Routed, false},
    {ID_FX_ENTITY_EFFECTS, "&Entity Effects", "Process an entity in selection", R::Routed, false},
    // Tools
    {ID_TOOLS_ADD_MESSAGE, "&Add  New Message", "\nAdd New Message", R::Routed, false},
    {ID_TOOLS_KEYWORD_SEARCH_MODELS, "&Keyword Search Models", nullptr, R::Routed, false},
    {ID_TOOLS_HACK_PLAYER_FLAGS, "&Hack Player Entity Flags!",
     "Removes useless frames in between pauses\nClean Pauses", R::Routed, false},
    {ID_TOOLS_REMOVE_STATUS_BAR, "Remove Status Bar / HUD", nullptr, R::Routed, false},
    // Do-To-Selection
    {ID_SEL_REMOVE_BY_KEYWORD, "By KEYWORD", nullptr, R::Routed, false},
    {ID_SEL_REMOVE_BY_TYPE, "By TYPE", nullptr, R::Routed, false},
    {ID_SEL_REMOVE_BY_ENTITY, "By ENTITY Number", nullptr, R::Routed, false},
    {ID_SEL_REMOVE_BY_MODEL_KEYWORD, "By KEYWORD ModelIndex", nullptr, R::Routed, false},
    {ID_SEL_REMOVE_BY_SOUND_KEYWORD, "By KEYWORD SoundIndex", nullptr, R::Routed, false},
    {ID_SEL_REVERSE, "&Reverse Selection", nullptr, R::Routed, false},
    {ID_SEL_TRACK_ENTITY, "&Track Entity", "Fix the camera view on an entity\nFix Camera On Entity",
     R::Routed, false},
    {ID_SEL_REMODEL_ENTITY, "Re-&Model Entity", "Change model of a certain entity", R::Routed,
     false},
    {ID_SEL_RECAMERA, "Re-&Camera Selection", "Moves the viewpoint to another entity", R::Routed,
     false},
    {ID_SEL_SMOOTH_CAMERA, "&Smooth Camera",
     "Uses camera-angles in first block and last block of selection, and makes the transition "
     "between them 'smooth' \nSmooth Selection!",
     R::Routed, false},
    {ID_SEL_REMOVE_VIEW_WEAPON, "Remove &View-Weapon Model",
     "Removes the weapon model you see at the bottom of the screen in first-person view.",
     R::Routed, false},
    {ID_SEL_CHANGE_WEAPON_MODEL, "Change/Remove &Physical Weapon Model",
     "Changes the physical weapon model you see on other players (changing to 0 removes it)",
     R::Routed, false},
    {ID_SEL_RENDER_VIDEO, "Render Selection to &Video...",
     "Films the selected blocks as the 3D preview shows them into a video file\nRender "
     "Selection to Video",
     R::Routed, false},
    // Window
    {ID_WINDOW_NEW, "&New Window", "Open another window for the active document\nNew Window",
     R::Routed, false},
    {ID_WINDOW_CASCADE, "&Cascade", "Arrange windows so they overlap\nCascade Windows", R::Routed,
     false},
    {ID_WINDOW_TILE_HORZ, "&Tile Horizontally",
     "Arrange windows as non-overlapping tiles\nTile Windows", R::Routed, false},
    {ID_WINDOW_TILE_VERT, "&Tile Vertically",
     "Arrange windows as non-overlapping tiles\nTile Windows", R::Routed, false},
    {ID_WINDOW_ARRANGE, "&Arrange Icons",
     "Arrange icons at the bottom of the window\nArrange Icons", R::Routed, false},
    // Help: there is no help file, so the help commands stay disabled.
    {ID_HELP_FINDER, "&Help Topics", "List Help topics\nHelp Topics", R::Never, false},
    {ID_HELP_KEYBOARD, "&Keyboard Shortcuts", "List the keys of the editor\nKeyboard Shortcuts",
     R::Routed, false},
    {ID_APP_ABOUT, "&About Cinerad II...",
     "Display program information, version number and copyright\nAbout", R::Routed, false},
    {ID_CONTEXT_HELP, "Help", "Display help for clicked on buttons, menus and windows\nHelp",
     R::Never, false},
    {ID_HELP, "Help", "Display help for current task or command\nHelp", R::Never, false},
    // Panes: the program's windows are not split, so there is no pane to move to.
    {ID_NEXT_PANE, "Next Pane", "Switch to the next window pane\nNext Pane", R::Never, false},
    {ID_PREV_PANE, "Previous Pane", "Switch back to the previous window pane\nPrevious Pane",
     R::Never, false},
    // 2D overhead view
    {ID_2D_ZOOM_IN, "Zoom IN", "Zoom In\nZoom In (2D Preview)", R::Routed, false},
    {ID_2D_ZOOM_OUT, "Zoom OUT", "Zoom Out\nZoom Out (2D Preview)", R::Routed, false},
    {ID_2D_ZOOM_MANUAL, "Zoom Manual", nullptr, R::Routed, false},
    {ID_2D_TRACK_ENTITY, "Track Entity", "Track Entity on 2D Preview\nTrack entity on 2D preview",
     R::Routed, false},
    // Search report
    {ID_REPORT_DELETE_SELECTION, "&Delete Selection\tDel", "Deletes selected items", R::Routed,
     false},
    {ID_REPORT_SELECT_ITEMS, "&Select Items\tS", "Selects block(s) contained in selected items",
     R::Routed, false},
    {ID_REPORT_UPDATE, "&Update", "Updates items (incase data was corrupted)", R::Routed, false},
    // Visible entities
    {ID_ENTITY_EDIT_DESCRIPTION, "&Edit Description\tENTER", nullptr, R::Routed, false},
};

MenuEntry Cmd(int id) {
    return MenuEntry{MenuEntry::Kind::Command, id, "", {}};
}
MenuEntry Sep() {
    return MenuEntry{MenuEntry::Kind::Separator, 0, "", {}};
}
MenuEntry Popup(const char* title, std::vector<MenuEntry> items) {
    return MenuEntry{MenuEntry::Kind::Popup, 0, title, std::move(items)};
}
MenuEntry Recent() {
    return MenuEntry{MenuEntry::Kind::RecentFiles, 0, "", {}};
}
MenuEntry Windows() {
    return MenuEntry{MenuEntry::Kind::WindowList, 0, "", {}};
}

MenuEntry FileMenuNoDocument() {
    return Popup("&File", {Cmd(ID_FILE_OPEN), Sep(), Cmd(ID_FILE_PRINT_SETUP), Sep(), Recent(),
                           Sep(), Cmd(ID_APP_EXIT)});
}
MenuEntry ViewMenuNoDocument() {
    return Popup("&View",
                 {Cmd(ID_VIEW_TOOLBAR), Cmd(ID_VIEW_STATUS_BAR), Sep(), Cmd(ID_VIEW_OPTIONS)});
}
MenuEntry HelpMenu() {
    return Popup("&Help", {Cmd(ID_HELP_FINDER), Cmd(ID_HELP_KEYBOARD), Sep(), Cmd(ID_APP_ABOUT)});
}
MenuEntry WindowMenu(bool newWindow) {
    std::vector<MenuEntry> items;
    if (newWindow) {
        items.push_back(Cmd(ID_WINDOW_NEW));
    }
    for (int id :
         {ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT, ID_WINDOW_ARRANGE}) {
        items.push_back(Cmd(id));
    }
    items.push_back(Windows());
    return Popup("&Window", std::move(items));
}

const std::map<int, std::vector<MenuEntry>>& Menus() {
    static const std::map<int, std::vector<MenuEntry>> menus = {
        {kMenuNoDocument, {FileMenuNoDocument(), ViewMenuNoDocument(), HelpMenu()}},
        {kMenuEditor,
         {Popup("&File",
                {Cmd(ID_FILE_OPEN), Cmd(ID_FILE_CLOSE), Cmd(ID_FILE_SAVE), Cmd(ID_FILE_SAVE_AS),
                 Sep(), Cmd(ID_FILE_PRINT), Cmd(ID_FILE_PRINT_PREVIEW), Cmd(ID_FILE_PRINT_SETUP),
                 Sep(), Recent(), Sep(), Cmd(ID_APP_EXIT)}),
          Popup("&Edit", {Cmd(ID_EDIT_UNDO), Cmd(ID_EDIT_REDO), Sep(), Cmd(ID_EDIT_CLEAR_BUFFER),
                          Sep(), Cmd(ID_EDIT_CUT), Cmd(ID_EDIT_COPY), Cmd(ID_EDIT_PASTE),
                          Cmd(ID_EDIT_DELETE_BLOCKS), Sep(), Cmd(ID_EDIT_COPY_SPECIAL),
                          Cmd(ID_EDIT_PASTE_SPECIAL), Sep(), Cmd(ID_EDIT_SELECT_ALL),
                          Cmd(ID_EDIT_DESELECT_ALL)}),
          Popup("&Search", {Cmd(ID_SEARCH_FIND_TEXT), Cmd(ID_SEARCH_FIND_TYPE), Sep(),
                            Popup("Find Text Again",
                                  {Cmd(ID_SEARCH_TEXT_FORWARDS), Cmd(ID_SEARCH_TEXT_BACKWARDS)}),
                            Popup("Find Type Again",
                                  {Cmd(ID_SEARCH_TYPE_FORWARDS), Cmd(ID_SEARCH_TYPE_BACKWARDS)}),
                            Sep(), Cmd(ID_SEARCH_ADVANCED), Sep(), Cmd(ID_SEARCH_JUMP_TO_TIME)}),
          Popup("&View",
                {Cmd(ID_VIEW_TOOLBAR), Cmd(ID_VIEW_STATUS_BAR), Sep(), Cmd(ID_VIEW_DEMO_INFO),
                 Cmd(ID_VIEW_OPTIONS), Sep(), Cmd(ID_VIEW_2D_OVERHEAD), Cmd(ID_VIEW_3D_PREVIEW),
                 Sep(), Cmd(ID_VIEW_MODELS), Cmd(ID_VIEW_SOUNDS), Cmd(ID_VIEW_VISIBLE_ENTITIES),
                 Cmd(ID_VIEW_ENTITIES)}),
          Popup("Special F&X", {Cmd(ID_FX_PALETTE_SHIFT), Cmd(ID_FX_FRAME_RATE), Cmd(ID_FX_ZOOM),
                                Cmd(ID_FX_ENTITY_EFFECTS)}),
          Popup("T&ools", {Cmd(ID_TOOLS_ADD_MESSAGE), Cmd(ID_TOOLS_KEYWORD_SEARCH_MODELS),
                           Cmd(ID_TOOLS_HACK_PLAYER_FLAGS), Cmd(ID_TOOLS_REMOVE_STATUS_BAR)}),
          Popup("Do-To-Se&lection",
                {Popup("Remove From Selection",
                       {Cmd(ID_SEL_REMOVE_BY_KEYWORD), Cmd(ID_SEL_REMOVE_BY_TYPE),
                        Cmd(ID_SEL_REMOVE_BY_ENTITY), Cmd(ID_SEL_REMOVE_BY_MODEL_KEYWORD),
                        Cmd(ID_SEL_REMOVE_BY_SOUND_KEYWORD)}),
                 Cmd(ID_SEL_REVERSE), Sep(), Cmd(ID_SEL_TRACK_ENTITY), Cmd(ID_SEL_REMODEL_ENTITY),
                 Cmd(ID_SEL_RECAMERA), Cmd(ID_SEL_SMOOTH_CAMERA), Sep(),
                 Cmd(ID_SEL_REMOVE_VIEW_WEAPON), Cmd(ID_SEL_CHANGE_WEAPON_MODEL), Sep(),
                 Cmd(ID_SEL_RENDER_VIDEO)}),
          WindowMenu(true), HelpMenu()}},
        {kMenuOverhead,
         {FileMenuNoDocument(), ViewMenuNoDocument(),
          Popup("&Zoom", {Cmd(ID_2D_ZOOM_IN), Cmd(ID_2D_ZOOM_OUT), Cmd(ID_2D_ZOOM_MANUAL), Sep(),
                          Cmd(ID_2D_TRACK_ENTITY)}),
          WindowMenu(true), HelpMenu()}},
        {kMenuSearchReport,
         {FileMenuNoDocument(), ViewMenuNoDocument(),
          Popup("&Tools", {Cmd(ID_REPORT_DELETE_SELECTION), Cmd(ID_REPORT_SELECT_ITEMS), Sep(),
                           Cmd(ID_REPORT_UPDATE)}),
          WindowMenu(true), HelpMenu()}},
        {kMenuVisibleEntities, {Popup("Entity Tools", {Cmd(ID_ENTITY_EDIT_DESCRIPTION)})}},
    };
    return menus;
}

std::vector<Accelerator> EditorAccelerators() {
    using K = QKeySequence;
    return {
        {K(Qt::CTRL | Qt::Key_A), ID_EDIT_SELECT_ALL},
        {K(Qt::ALT | Qt::Key_A), ID_EDIT_DESELECT_ALL},
        {K(Qt::CTRL | Qt::Key_C), ID_EDIT_COPY},
        {K(Qt::CTRL | Qt::Key_Insert), ID_EDIT_COPY},
        {K(Qt::CTRL | Qt::Key_X), ID_EDIT_CUT},
        {K(Qt::SHIFT | Qt::Key_Delete), ID_EDIT_CUT},
        {K(Qt::CTRL | Qt::Key_V), ID_EDIT_PASTE},
        {K(Qt::SHIFT | Qt::Key_Insert), ID_EDIT_PASTE},
        {K(Qt::CTRL | Qt::Key_Z), ID_EDIT_UNDO},
        {K(Qt::ALT | Qt::Key_Backspace), ID_EDIT_UNDO},
        {K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), ID_EDIT_REDO},
        {K(Qt::CTRL | Qt::Key_Y), ID_EDIT_REDO},
        {K(Qt::CTRL | Qt::Key_F), ID_SEARCH_FIND_TEXT},
        {K(Qt::CTRL | Qt::Key_G), ID_SEARCH_FIND_TYPE},
        {K(Qt::CTRL | Qt::Key_N), ID_FILE_NEW},
        {K(Qt::CTRL | Qt::Key_O), ID_FILE_OPEN},
        {K(Qt::CTRL | Qt::Key_P), ID_FILE_PRINT},
        {K(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE},
        {K(Qt::Key_F1), ID_HELP},
        {K(Qt::SHIFT | Qt::Key_F1), ID_CONTEXT_HELP},
        {K(Qt::Key_F3), ID_SEARCH_TEXT_FORWARDS},
        {K(Qt::SHIFT | Qt::Key_F3), ID_SEARCH_TEXT_BACKWARDS},
        {K(Qt::Key_F4), ID_SEARCH_TYPE_FORWARDS},
        {K(Qt::SHIFT | Qt::Key_F4), ID_SEARCH_TYPE_BACKWARDS},
        {K(Qt::Key_F6), ID_NEXT_PANE},
        {K(Qt::SHIFT | Qt::Key_F6), ID_PREV_PANE},
    };
}

std::vector<Accelerator> FrameAccelerators() {
    // The editor's set without the keys that only make sense in a demo, and Ctrl+F6 for Find
    // Text.
    const QList<QKeySequence> dropped = {
        QKeySequence(Qt::CTRL | Qt::Key_A),   QKeySequence(Qt::ALT | Qt::Key_A),
        QKeySequence(Qt::CTRL | Qt::Key_F),   QKeySequence(Qt::CTRL | Qt::Key_X),
        QKeySequence(Qt::SHIFT | Qt::Key_F3), QKeySequence(Qt::SHIFT | Qt::Key_F4),
    };
    std::vector<Accelerator> table;
    for (const Accelerator& a : EditorAccelerators()) {
        if (!dropped.contains(a.keys)) {
            table.push_back(a);
        }
    }
    table.push_back({QKeySequence(Qt::CTRL | Qt::Key_F6), ID_SEARCH_FIND_TEXT});
    return table;
}

} // namespace

const std::vector<CommandInfo>& Commands() {
    return kCommands;
}

const CommandInfo* FindCommand(int id) {
    for (const CommandInfo& c : kCommands) {
        if (c.id == id) {
            return &c;
        }
    }
    return nullptr;
}

QString CommandPrompt(const CommandInfo& info) {
    return info.prompt == nullptr
               ? QString()
               : QString::fromLatin1(info.prompt).section(QLatin1Char('\n'), 0, 0);
}

QString CommandToolTip(const CommandInfo& info) {
    return info.prompt == nullptr
               ? QString()
               : QString::fromLatin1(info.prompt).section(QLatin1Char('\n'), 1, 1);
}

const std::vector<MenuEntry>& MenuDefinition(int menuId) {
    static const std::vector<MenuEntry> none;
    const auto& menus = Menus();
    const auto it = menus.find(menuId);
    return it == menus.end() ? none : it->second;
}

const std::vector<Accelerator>& AcceleratorTable(int tableId) {
    static const std::map<int, std::vector<Accelerator>> tables = {
        {kMenuNoDocument, FrameAccelerators()},
        {kMenuEditor, EditorAccelerators()},
        {kMenuSearchReport,
         {{QKeySequence(Qt::Key_S), ID_REPORT_SELECT_ITEMS},
          {QKeySequence(Qt::Key_Delete), ID_REPORT_DELETE_SELECTION}}},
        {kMenuVisibleEntities,
         {{QKeySequence(Qt::Key_Return), ID_ENTITY_EDIT_DESCRIPTION},
          {QKeySequence(Qt::Key_Enter), ID_ENTITY_EDIT_DESCRIPTION}}},
    };
    static const std::vector<Accelerator> none;
    const auto it = tables.find(tableId);
    return it == tables.end() ? none : it->second;
}

const std::vector<ToolbarButton>& ToolbarButtons() {
    using G = ToolbarGlyph;
    static const std::vector<ToolbarButton> buttons = {
        {ID_FILE_NEW, G::New},
        {ID_FILE_OPEN, G::Open},
        {ID_FILE_SAVE, G::Save},
        {0, G::New},
        {ID_EDIT_CUT, G::Cut},
        {ID_EDIT_COPY, G::Copy},
        {ID_EDIT_PASTE, G::Paste},
        {0, G::New},
        {ID_APP_ABOUT, G::About},
        {ID_CONTEXT_HELP, G::ContextHelp},
        {0, G::New},
        {ID_VIEW_3D_PREVIEW, G::Preview3d},
        {0, G::New},
        {ID_VIEW_VISIBLE_ENTITIES, G::VisibleEntities},
        {ID_VIEW_MODELS, G::Models},
        {ID_VIEW_SOUNDS, G::Sounds},
        {0, G::New},
        {ID_VIEW_DEMO_INFO, G::DemoInfo},
        {ID_TOOLS_ADD_MESSAGE, G::AddMessage},
        {ID_FX_PALETTE_SHIFT, G::PaletteShift},
        {ID_SEL_SMOOTH_CAMERA, G::SmoothCamera},
    };
    return buttons;
}
