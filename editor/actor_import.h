// Actor import: Copy Special collects one entity over the selection into the application's
// special buffer, Paste Special puts it into a demo from the current block on under a free
// entity number, so that it moves there as it moved in its own demo. A player goes with its
// skin string and becomes a new player of the target.
#pragma once

#include <cstdint>
#include <string>

class CSpecialBuffer;
class CTreskView;

// Texts the commands show.
extern const char* const kNoSkinText;
extern const char* const kNoBaselineText;
extern const char* const kSpecialBufferEmptyText;
extern const char* const kClosePreviewText;
extern const char* const kNoPlayBlockText;
extern const char* const kSkinTableFullText;
extern const char* const kNoFreeEntityText;
extern const char* const kNoTableRoomText;
std::string ActorImportedText(int32_t entity);
std::string PlayerNumberUsedText(int32_t entity);

// The first entity number from which a non-player actor looks for a free one.
constexpr int32_t kFirstActorEntity = 400;

// Collects entity `entity` over the view's selection (a selection reaching past the last
// block stops there). A player slot (at most max clients) takes the skin string of its entry
// entity - 1; any other entity its first spawnbaseline. The previous content goes first;
// after a refusal the buffer stays empty. Returns the frames collected, -1 when refused.
int32_t CopySpecial(CTreskView& view, CSpecialBuffer& buffer, int32_t entity);
// Inserts the buffer's actor from the current block on, one frame per record, and reports
// the entity number it took. Refused, with nothing changed, when the buffer is empty, a 3D
// preview is open, the demo has no block of play, no entity number is free, or a model or
// sound the actor needs finds no room in the target's tables. One undoable edit. Returns the
// entity number, 0 when refused.
int32_t PasteSpecial(CTreskView& view, const CSpecialBuffer& buffer);

void OnCopySpecial(CTreskView& view);  // 32883
void OnPasteSpecial(CTreskView& view); // 32884
