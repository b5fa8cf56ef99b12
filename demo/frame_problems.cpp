#include "frame_problems.h"

#include "frame_state.h"
#include "svc.h"

namespace {

// The game's client ends playback with an error at each of these.
const char* const kStops = ": the game stops playback here";

std::string FrameName(int32_t frame) {
    return "frame " + std::to_string(frame);
}

std::string DeltaName(int32_t frame, int32_t deltaFrame) {
    return FrameName(frame) + " is a delta from frame " + std::to_string(deltaFrame);
}

} // namespace

std::string FrameDataOutOfPlaceProblem(uint8_t id) {
    return GetMessageName(id) + " outside a frame (it must follow its frame directly, in the " +
           "same block)" + kStops;
}

std::string FrameWithoutPlayerProblem(int32_t frame) {
    return FrameName(frame) + " is not followed directly by its playerinfo" + kStops;
}

std::string FrameWithoutEntitiesProblem(int32_t frame) {
    return FrameName(frame) + "'s playerinfo is not followed directly by its packetentities" +
           kStops;
}

std::string FrameCutByBlockEndProblem(int32_t frame, FrameCut where) {
    const char* what = where == FrameCut::kBeforePlayer     ? "before its playerinfo"
                       : where == FrameCut::kBeforeEntities ? "before its packetentities"
                                                            : "before its entities do";
    return FrameName(frame) + " ends with its block " + what + kStops;
}

std::string DeltaFromFrameNotHeldProblem(int32_t frame, int32_t deltaFrame) {
    return DeltaName(frame, deltaFrame) + ", which the game does not hold (it keeps the last " +
           std::to_string(kFrameRing) + " frames it received): it does not show " +
           FrameName(frame);
}

std::string DeltaFromOutdatedEntitiesProblem(int32_t frame, int32_t deltaFrame) {
    return DeltaName(frame, deltaFrame) + ", whose entities the game no longer holds (" +
           std::to_string(kParseEntities - 128) +
           " entities or more were read since): it does not show " + FrameName(frame);
}

std::string DeltaFromInvalidFrameProblem(int32_t frame, int32_t deltaFrame) {
    return DeltaName(frame, deltaFrame) + ", which the game did not show (it was itself a " +
           "delta from a frame not held): the game shows " + FrameName(frame) +
           " built on what it read there";
}

std::string RemoveOfEntityNotHeldProblem(int32_t frame, int32_t deltaFrame, int entity,
                                         int dropped) {
    std::string text = FrameName(frame) + " removes entity " + std::to_string(entity);
    if (deltaFrame <= 0) {
        return text + ", though it is read against no earlier frame: the game has no frame to " +
               "remove it from and fails";
    }
    text += ", which frame " + std::to_string(deltaFrame) + " does not hold: the game ";
    if (dropped == 0) {
        return text + "removes nothing";
    }
    return text + "drops entity " + std::to_string(dropped) + " in its place";
}

std::string ConfigStringIndexProblem(int index) {
    return "configstring index " + std::to_string(index) + " is beyond the game's " +
           std::to_string(kConfigStringSlots) + " configstrings (0 to " +
           std::to_string(kConfigStringSlots - 1) + ")" + kStops;
}
