// One run of the decoder over arbitrary bytes: load, decode, save, decode the saved demo.
#pragma once

#include <cstddef>
#include <cstdint>

void DecodeArbitraryBytes(const uint8_t* data, size_t size);
