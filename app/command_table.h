// The program's command vocabulary in one place: each command's menu text and its string-table
// entry (status-bar prompt, then after a newline the tool tip), the menus 128 to 132, the
// accelerator tables and the toolbar.
#pragma once

#include "toolbar_icons.h"

#include <QKeySequence>
#include <QString>

#include <vector>

enum class EnableRule {
    Routed, // enabled when the active view, the frame or the application handles it
    Never,  // no handler anywhere: always disabled
};

struct CommandInfo {
    int id;
    const char* text;   // menu text, "\t" before the key shown beside it
    const char* prompt; // "prompt\ntool tip", or null when the command has no string entry
    EnableRule rule;
    bool checkable; // a menu item with a check mark (toolbar and status bar shown)
};

const std::vector<CommandInfo>& Commands();
const CommandInfo* FindCommand(int id);
// The status-bar prompt and the tool tip of a command's string entry (either may be empty).
QString CommandPrompt(const CommandInfo& info);
QString CommandToolTip(const CommandInfo& info);

struct MenuEntry {
    enum class Kind { Command, Separator, Popup, RecentFiles, WindowList };
    Kind kind = Kind::Command;
    int id = 0;                   // Command
    const char* text = "";        // Popup title
    std::vector<MenuEntry> items; // Popup
};

enum MenuId : int {
    kMenuNoDocument = 128,
    kMenuEditor = 129,
    kMenuOverhead = 130,
    kMenuSearchReport = 131,
    kMenuVisibleEntities = 132,
};

// The top-level popups of a menu resource (128 .. 132); empty for an unknown id.
const std::vector<MenuEntry>& MenuDefinition(int menuId);

struct Accelerator {
    QKeySequence keys;
    int id;
};

// The accelerator table 128, 129, 131 or 132; empty for any other id.
const std::vector<Accelerator>& AcceleratorTable(int tableId);

struct ToolbarButton {
    int id; // 0: a separator
    ToolbarGlyph glyph;
};

// Toolbar 128, left to right.
const std::vector<ToolbarButton>& ToolbarButtons();
