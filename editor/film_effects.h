// The film effects family of the editor view: Zoom, FrameRate, RGB Palette Shift and Entity
// Effects. Each acts on the view's selection as one undoable edit; the menu asks for the
// settings, the command line passes them.
#pragma once

#include "editor/film_dialogs.h"

#include <cstdint>

class CTreskView;

// Zoom over every selected frame: the field of view ramps from the initial zoom's to the
// final zoom's, reaching it in the last selected frame. Returns the frames changed.
uint32_t ZoomEffect(CTreskView& view, const FovDlgData& zoom);
// FrameRate: the game speed of `speed` from the end of the first selected block, back to
// normal at the end of the last (a single block gets only the return to normal). Refused,
// with a message, for a selection that starts in the opening blocks, which saving rebuilds.
bool FrameRateEffect(CTreskView& view, const FrameRateDlgData& speed);
// RGB Palette Shift over every selected frame: the screen blend ramps from the initial to the
// final colour and intensity. Returns the frames changed.
uint32_t PaletteShiftEffect(CTreskView& view, const PaletteShiftDlgData& shift);
// Entity Effects over every selected frame but the last that holds the entity: its model,
// skin, origin and render flags as the settings say. A frame that carries the entity over
// unsent gets a record where the change starts, and the last selected frame one with the
// entity as it was, so that the change lasts exactly over the selection. Returns the frames
// changed.
uint32_t EntityEffect(CTreskView& view, const EntityEffectsDlgData& effects);

// The menu commands: ask for the settings, then run the above.
void OnZoomEffect(CTreskView& view);         // 32832
void OnFrameRateEffect(CTreskView& view);    // 178
void OnPaletteShiftEffect(CTreskView& view); // 32771
void OnEntityEffect(CTreskView& view);       // 32878
