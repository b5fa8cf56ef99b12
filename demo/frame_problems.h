// What the game client refuses or misplays in the frames it reads, as the problems decoding
// lists: frame data out of its place, deltas from frames the client no longer holds, removes
// of entities it does not hold, configstrings beyond its table.
#pragma once

#include <cstdint>
#include <string>

// A playerinfo or packetentities (by id) that does not follow its frame directly.
std::string FrameDataOutOfPlaceProblem(uint8_t id);
// A frame whose playerinfo does not come directly after it.
std::string FrameWithoutPlayerProblem(int32_t frame);
// A frame whose packetentities do not come directly after its playerinfo.
std::string FrameWithoutEntitiesProblem(int32_t frame);
// The block ends inside a frame: before its playerinfo, its packetentities or the end of its
// entities.
enum class FrameCut { kBeforePlayer, kBeforeEntities, kInsideEntities };
std::string FrameCutByBlockEndProblem(int32_t frame, FrameCut where);

// A delta from a frame the client's 16-frame ring no longer holds, or never received.
std::string DeltaFromFrameNotHeldProblem(int32_t frame, int32_t deltaFrame);
// A delta from a frame whose entities the client has since overwritten.
std::string DeltaFromOutdatedEntitiesProblem(int32_t frame, int32_t deltaFrame);
// A delta from a frame the client holds but did not show, itself read against a frame it
// did not hold.
std::string DeltaFromInvalidFrameProblem(int32_t frame, int32_t deltaFrame);

// A remove of an entity the old frame does not hold. `dropped` is the entity the client
// drops in its place, 0 when none; `deltaFrame` <= 0 when the frame has no old frame.
std::string RemoveOfEntityNotHeldProblem(int32_t frame, int32_t deltaFrame, int entity,
                                         int dropped);

// A configstring index at or beyond the client's table of 2080.
std::string ConfigStringIndexProblem(int index);
