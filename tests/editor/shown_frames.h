// What a saved demo shows the game, frame by frame, for the suites that judge commands on
// the saved file: PlayDemo's frames by the number their stat 1 carries.
#pragma once

#include "demo_bytes.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace edtest {

struct ShownFrame {
    PlayerState player{};
    EntitySet entities;
    std::vector<std::string> commands; // the stufftexts of the frame's block
    std::vector<std::string> prints;   // the prints of the frame's block
};

// Reads a saved demo back (failing the test on any decode problem) and walks it as the game
// does.
std::map<int, ShownFrame> ShownFramesOf(const Bytes& saved);
// An entity as a frame shows it; none when the frame does not hold it.
std::optional<EntityState> EntityIn(const ShownFrame& frame, uint16_t number);

} // namespace edtest
