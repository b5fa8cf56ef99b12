// The check of a whole demo: every place the game would refuse or misplay it, by block. The
// decoder lists what it meets while reading frames as the game client does; the check adds
// what only the blocks as a whole show.
#pragma once

#include "tresk_doc.h"

#include <cstdint>
#include <string>
#include <vector>

// The game's packet buffer: the demo server refuses a longer block and playback stops.
constexpr uint32_t kMaxPacketBytes = 1400;
// The fields of view the game can draw; it stops playback at any other.
constexpr int kMinFov = 1;
constexpr int kMaxFov = 179;

// Decodes a freshly opened document (its blocks not yet decoded) and returns every finding in
// block order, each with its 1-based block number (0 when no block is known, listed last).
// For a demo of a protocol the codec does not understand only the blocks' sizes and the
// protocol are judged: what decoding met after it comes from misread bytes, so a last finding
// says how many such problems were left out.
std::vector<DecodeProblem> CheckDemo(CTreskDoc& doc);

// True when a stufftext's commands include "precache", the command that loads the map.
bool RunsPrecache(const std::string& commands);

// Texts of the check's own findings.
std::string BlockTooLongProblem(uint32_t bytes);
std::string FramesInOneBlockProblem(const std::vector<int32_t>& frames);
std::string FrameBeforePrecacheProblem(int32_t frame);
std::string FovProblem(int32_t frame, int fov, uint32_t framesAfter, uint32_t lastBlock);
std::string MisreadProblemsLeftOut(size_t count);
