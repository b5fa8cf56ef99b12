// The removal family of the editor view ("Remove From Selection"): every message of the
// selected blocks that matches a keyword or a type, and every entity of an entity number or a
// model found by name, and every sound found by name. One undoable edit each; the menu asks,
// the command line passes the settings. The loop's end is fixed before it starts, so it never
// runs on into blocks that deletions pulled into the selection. No removal takes what the game
// needs to start the demo: block 1's serverdata and the stufftexts that run "precache".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CTreskView;

// Deletes the messages whose text holds the keyword. Returns how many went.
uint32_t RemoveByKeyword(CTreskView& view, const std::string& keyword);
// Deletes the messages of a type (-1: ids of 128 or more). A frame's player state and
// entities (17, 18) cannot go on their own: refused with a message. Returns how many went.
uint32_t RemoveByType(CTreskView& view, int32_t type);
// Makes entity `entity` absent from the selected frames (its records become removes, and it
// shows again after the selection); reports "Operation successful.  Removed N occurances of
// entity E.". Returns N.
uint32_t RemoveByEntity(CTreskView& view, int32_t entity);
// The same for every entity of the first model whose name holds the keyword.
uint32_t RemoveByModelKeyword(CTreskView& view, const std::string& keyword);
// Deletes the sound messages of the first sound whose name holds the keyword.
uint32_t RemoveBySoundKeyword(CTreskView& view, const std::string& keyword);

// The menu commands: ask, then run the above.
void OnRemoveByKeyword(CTreskView& view);      // 32836
void OnRemoveByType(CTreskView& view);         // 32837
void OnRemoveByEntity(CTreskView& view);       // 32857
void OnRemoveByModelKeyword(CTreskView& view); // 32860
void OnRemoveBySoundKeyword(CTreskView& view); // 32861
