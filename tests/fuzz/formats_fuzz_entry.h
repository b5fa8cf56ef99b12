// One run over arbitrary bytes through the map, model, picture and texture readers; whatever
// a reader accepts is then walked the way the renderer walks it, through plain indexing, so a
// reference the reader let through unchecked shows as an out-of-range read.
#pragma once

#include <cstddef>
#include <cstdint>

void ReadArbitraryAssetBytes(const uint8_t* data, size_t size);
