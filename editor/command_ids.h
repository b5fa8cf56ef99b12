// Command, control and dialog ids of the editor: the menus, toolbar and accelerators route
// these numbers to their commands, and every numbered control carries its id as its object
// name. Framework commands keep the application framework's standard numbers.
#pragma once

enum CommandId : int {
    // --- File (framework) ---------------------------------------------------------------
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FILE1 = 57616, // the four recent files are 57616 to 57619
    ID_FILE_MRU_FILE4 = 57619,
    ID_APP_EXIT = 57665,

    // --- Edit -------------------------------------------------------------------------------
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_EDIT_CLEAR_BUFFER = 32819,
    ID_EDIT_CUT = 57635,
    ID_EDIT_COPY = 57634,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_DELETE_BLOCKS = 32831,
    ID_EDIT_COPY_SPECIAL = 32883,
    ID_EDIT_PASTE_SPECIAL = 32884,
    ID_EDIT_SELECT_ALL = 32843,
    ID_EDIT_DESELECT_ALL = 32845,

    // --- Search -----------------------------------------------------------------------------
    ID_SEARCH_FIND_TEXT = 32772,
    ID_SEARCH_FIND_TYPE = 32826,
    ID_SEARCH_TEXT_FORWARDS = 32821,
    ID_SEARCH_TEXT_BACKWARDS = 32829,
    ID_SEARCH_TYPE_FORWARDS = 32824,
    ID_SEARCH_TYPE_BACKWARDS = 32830,
    ID_SEARCH_ADVANCED = 32856,
    ID_SEARCH_JUMP_TO_TIME = 32846,

    // --- View -------------------------------------------------------------------------------
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_VIEW_DEMO_INFO = 32774,
    ID_VIEW_OPTIONS = 32900,     // not numbered by the menus; chosen here
    ID_VIEW_2D_OVERHEAD = 32859, // no action
    ID_VIEW_3D_PREVIEW = 32874,
    ID_VIEW_MODELS = 32867,
    ID_VIEW_SOUNDS = 32864,
    ID_VIEW_VISIBLE_ENTITIES = 32876,
    ID_VIEW_ENTITIES = 32901, // no handler: always disabled; not numbered by the menus
    // Navigation keys and help pages the menus do not number; chosen here.
    ID_VIEW_FIRST_PLAY_BLOCK = 32910,
    ID_VIEW_LAST_BLOCK = 32911,
    ID_HELP_KEYBOARD = 32912,

    // --- Special FX -------------------------------------------------------------------------
    ID_FX_PALETTE_SHIFT = 32771,
    ID_FX_FRAME_RATE = 178,
    ID_FX_ZOOM = 32832,
    ID_FX_ENTITY_EFFECTS = 32878,

    // --- Tools ------------------------------------------------------------------------------
    ID_TOOLS_ADD_MESSAGE = 32838,
    ID_TOOLS_KEYWORD_SEARCH_MODELS = 32841,
    ID_TOOLS_HACK_PLAYER_FLAGS = 32775,
    ID_TOOLS_REMOVE_STATUS_BAR = 32881,

    // --- Do-To-Selection --------------------------------------------------------------------
    ID_SEL_REMOVE_BY_KEYWORD = 32836,
    ID_SEL_REMOVE_BY_TYPE = 32837,
    ID_SEL_REMOVE_BY_ENTITY = 32857,
    ID_SEL_REMOVE_BY_MODEL_KEYWORD = 32860,
    ID_SEL_REMOVE_BY_SOUND_KEYWORD = 32861,
    ID_SEL_REVERSE = 32842,
    ID_SEL_TRACK_ENTITY = 32777,
    ID_SEL_REMODEL_ENTITY = 32858,
    ID_SEL_RECAMERA = 32862,
    ID_SEL_SMOOTH_CAMERA = 32875,
    ID_SEL_REMOVE_VIEW_WEAPON = 32880,
    ID_SEL_CHANGE_WEAPON_MODEL = 32890,
    ID_SEL_RENDER_VIDEO = 32920, // "Render Selection to Video..."; chosen here

    // --- Window (framework) -----------------------------------------------------------------
    ID_WINDOW_NEW = 57648,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_WINDOW_TILE_VERT = 57652,

    // --- Help (framework) -------------------------------------------------------------------
    ID_APP_ABOUT = 57664,
    ID_HELP_FINDER = 57667, // "&Help Topics"
    ID_CONTEXT_HELP = 57669,
    ID_HELP = 57670,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,

    // --- Search report (menu 131 "&Tools") --------------------------------------------------
    ID_REPORT_DELETE_SELECTION = 32869,
    ID_REPORT_SELECT_ITEMS = 32870,
    ID_REPORT_UPDATE = 32871, // no action

    // --- Visible entities (menu 132) --------------------------------------------------------
    ID_ENTITY_EDIT_DESCRIPTION = 32879,

    // --- 2D overhead view (menu 130); not numbered by the menus, chosen here -----------------
    ID_2D_ZOOM_IN = 32902,
    ID_2D_ZOOM_OUT = 32903,
    ID_2D_ZOOM_MANUAL = 32904, // no action
    ID_2D_TRACK_ENTITY = 32905,
};

// Controls of the editor form (dialog 101). Buttons double as commands.
enum EditorFormControl : int {
    IDD_EDITOR_FORM = 101,
    IDC_SELECTION_TEXT = 1001, // after "SELECTED BLOCKS:"
    IDC_PREVIOUS_BLOCK = 1004,
    IDC_NEXT_BLOCK = 1005,
    IDC_PREVIOUS_MESSAGE = 1006,
    IDC_NEXT_MESSAGE = 1007,
    IDC_NAME_TEXT = 1009,   // after "NAME:"
    IDC_NUMBER_TEXT = 1010, // after "NUMBER:", centred
    IDC_GOTO_MESSAGE = 1012,
    IDC_GOTO_BLOCK = 1013,
    IDC_DELETE_MESSAGE = 1037,
    IDC_SELECT = 1097,
    IDC_BACKUP_B3 = 1123, // "B1" to "B3" store snapshots, "R1" to "R3" restore them
    IDC_BACKUP_B2 = 1124,
    IDC_BACKUP_B1 = 1125,
    IDC_RESTORE_R1 = 1126,
    IDC_RESTORE_R2 = 1127,
    IDC_RESTORE_R3 = 1128,
    IDC_REFRESH_FILMSTRIP = 1201,
    IDC_BLOCK_PROGRESS = 1207,
};

// The two dialogs the form's buttons open and their controls.
enum EditorDialogControl : int {
    IDD_NUMBER = 164, // "Enter number"
    IDC_NUMBER_EDIT = 1054,
    IDC_NUMBER_TEXT_LINE = 1121,
    IDD_BLOCK_SELECTION = 187, // "Block Selection"
    IDC_SELECTION_FIRST = 1122,
    IDC_SELECTION_LAST = 1123,
    IDC_SELECTION_COUNT = 1124,
};
