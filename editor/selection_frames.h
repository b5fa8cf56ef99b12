// The frames of a run of selected blocks as the game shows them: the film commands rewrite
// each selected frame's player state from what the frame shows, including entities the frame
// carries over without sending them.
#pragma once

#include "demo/demo_message.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class CTreskDoc;
class DemoBlock;

struct SelectedFrame {
    uint32_t block = 0; // 1-based block number
    DemoBlock* where = nullptr;
    FrameMessage* frame = nullptr;       // the block's first frame the game shows
    PlayerInfoMessage* player = nullptr; // that frame's player state
    // The followed entity as this frame shows it; none when the frame does not hold it.
    std::optional<EntityState> entity;
    // Its record in this frame; null when the frame carries it over unsent.
    EntityMessage* record = nullptr;
    // Every entity the frame shows (only when asked for).
    EntitySet shown;
};

// SelectedFrames' entity argument asking for every entity's state.
constexpr uint16_t kAllEntities = 0xFFFF;

// The frames of blocks first to first + count - 1 (blocks without a frame the game shows are
// left out), following entity `entity` (0: none; kAllEntities: every one, in `shown`). Walks the demo from its start, so that an
// entity's state is known even where the selection never sends it.
std::vector<SelectedFrame> SelectedFrames(CTreskDoc& doc, uint32_t first, uint32_t count,
                                          uint16_t entity = 0);

// The record of entity `number` in a frame, inserted in number order with `state` when the
// frame carries the entity over unsent (the frame's records hold full states, so the frame
// shows the same).
EntityMessage& EntityRecordIn(SelectedFrame& frame, const EntityState& state);

// Changes the followed entity with `edit` in every frame that holds it before block
// `endBlock`. A frame that carries it over unsent gets a record where the change starts, and
// the frame at `endBlock` one with the entity as it was (when it carries it over), so the
// change lasts exactly over those frames. Returns the frames changed.
uint32_t EditEntityBefore(std::vector<SelectedFrame>& frames, uint32_t endBlock,
                          const std::function<void(EntityState&)>& edit);

// The record of entity `number` in a frame (a remove record excluded); null when not sent.
EntityMessage* EntityRecordOf(const FrameMessage& frame, uint16_t number);

// Makes every entity that `matches` absent from the frames before block `endBlock`: its
// record in a frame becomes a remove, and where a frame carries it over unsent a remove is
// put in; the frame at `endBlock` shows it again as it was. Returns the records turned into
// removes.
uint32_t RemoveEntitiesBefore(std::vector<SelectedFrame>& frames, uint32_t endBlock,
                              const std::function<bool(const EntityState&)>& matches);
