// The camera family of the editor view: Track Entity (aim the recording player's view at an
// entity), Re-Camera Selection (put the camera into an entity) and Smooth Camera (turn evenly
// from the first selected frame's view to the last's). Each acts on the view's selection as
// one undoable edit; the menu asks for the settings, the command line passes them.
#pragma once

#include <cstdint>

class CTreskView;

// Track Entity over the first selection count - 1 selected blocks: each frame's view is aimed
// from the player's eye at the entity as that frame shows it (sent or carried over). Frames
// that do not hold the entity keep their view. Returns the frames aimed.
uint32_t TrackEntity(CTreskView& view, uint16_t entity);

// Re-Camera over all selected blocks but the last: each frame's camera stands at the entity's
// origin, looking along its angles unless `keepAngles`. Where the frame does not hold the
// entity the camera stays where it was put last (frames before the entity is first seen keep
// their own). Returns the frames moved.
uint32_t ReCamera(CTreskView& view, uint16_t entity, bool keepAngles);

// Smooth Camera: the frames from the first selected to the last turn evenly, the shorter way,
// from the first frame's view angles to the last's. Returns the frames turned.
uint32_t SmoothCamera(CTreskView& view);

// The menu commands: ask for the settings, then run the above.
void OnTrackEntity(CTreskView& view);  // 32777
void OnReCamera(CTreskView& view);     // 32862
void OnSmoothCamera(CTreskView& view); // 32875
