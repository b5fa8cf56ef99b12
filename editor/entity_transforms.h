// The entity and player transforms of the editor view: Re-Model Entity, Change/Remove Physical
// Weapon Model, Remove View-Weapon Model, Remove Status Bar / HUD and Hack Player Entity
// Flags. One undoable edit each; the menu asks, the command line passes the settings.
#pragma once

#include <cstdint>

class CTreskView;

constexpr int32_t kMaxModelIndex = 255;

// Entity `entity` takes model `model` (1 to 255) over the selection but its last block, where
// the frames show it, sent or not; reports "Operation successful.  Changed N occurances to
// NAME.". Returns N.
uint32_t ReModelEntity(CTreskView& view, int32_t entity, int32_t model);
// The same for the weapon model other players see on it (model 0 takes it away).
uint32_t ChangeWeaponModel(CTreskView& view, int32_t entity, int32_t model);
// The recording player's own weapon goes from the selection but its last block.
uint32_t RemoveViewWeapon(CTreskView& view);
// The status bar program (configstrings 5 to 28) is blanked in the signon and in every record
// that sets it during play, so the HUD never comes back.
uint32_t RemoveStatusBar(CTreskView& view);
// From the current block to the fourth-last block, whatever the selection: every player state
// gets movement type 1 and flags `flags` (low 8 bits).
uint32_t HackPlayerFlags(CTreskView& view, uint32_t flags);

void OnReModelEntity(CTreskView& view);     // 32858
void OnChangeWeaponModel(CTreskView& view); // 32890
void OnRemoveViewWeapon(CTreskView& view);  // 32880
void OnRemoveStatusBar(CTreskView& view);   // 32881
void OnHackPlayerFlags(CTreskView& view);   // 32775
