// Jump to Time Index: frames of play are a tenth of a second apart, so a time of the demo
// names a frame, counted from the first frame of play.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class CTreskDoc;
class CTreskView;

// "mm:ss.t", "m:ss", "ss.t" or "ss" (minutes and tenths optional) to tenths of a second;
// nothing for any other text.
std::optional<uint32_t> ParseTimeIndex(const std::string& text);
// Tenths of a second as "mm:ss.t".
std::string FormatTimeIndex(uint32_t tenths);
// The block number of the frame shown at a time (the frame `tenths` after the first frame
// of play), or of the last frame when the demo is shorter; 0 without frames. `frames` gets
// the number of frames of play.
uint32_t BlockAtTime(const CTreskDoc& doc, uint32_t tenths, uint32_t* frames = nullptr);

// 32846: asks for the time, goes to its block and selects it alone.
void JumpToTimeIndex(CTreskView& view);
