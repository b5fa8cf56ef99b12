// The toolbar's pictures, drawn in code on a 16 x 15 grid (the toolbar's button size).
#pragma once

#include <QIcon>

enum class ToolbarGlyph {
    New,
    Open,
    Save,
    Cut,
    Copy,
    Paste,
    About,
    ContextHelp,
    Preview3d,
    VisibleEntities,
    Models,
    Sounds,
    DemoInfo,
    AddMessage,
    PaletteShift,
    SmoothCamera,
};

// The picture for a toolbar button; drawn at twice the grid for sharp high-density screens.
QIcon ToolbarIcon(ToolbarGlyph glyph);
