// The behaviour of the "Block Selection" dialog without its widgets: the coupling between
// the last-block and count fields, and reading their texts.
#pragma once

#include "editor/ui.h"

#include <cstdint>
#include <string>

// The dialog's fields limit their texts to this many characters.
constexpr size_t kBlockSelectionTextChars = 10;

// The leading signed decimal number of a text (blanks before it allowed), as the dialog reads
// its fields; 0 when the text does not start with a number or the number does not fit.
int32_t DialogTextToInt(const std::string& text);

// Presets the dialog for a selection of `count` blocks from block `first`.
void PresetBlockSelection(BlockSelectionDlgData& data, uint32_t first, uint32_t count);

// Reads both texts into last and count, as the dialog does when it opens and on OK.
void ReadBlockSelectionTexts(BlockSelectionDlgData& data);

// The last text changed: a non-zero value t sets count to t - first + 1 when t >= first,
// else t - first - 1, and writes it into the count text. 0 or no number changes nothing.
void OnBlockSelectionLastChanged(BlockSelectionDlgData& data);

// The count text changed: a non-zero value c sets last to first + c - 1 when c > 0, else
// first + c + 1, and writes it into the last text. 0 or no number changes nothing.
// (A widget that reports its own programmatic changes must not feed the text written here
// back into OnBlockSelectionLastChanged: a count of -1 would turn into 1.)
void OnBlockSelectionCountChanged(BlockSelectionDlgData& data);
