// One run over arbitrary bytes: load, decode, one block edit (cut, reverse or paste, chosen
// from the input size), save, decode the saved demo.
#pragma once

#include <cstddef>
#include <cstdint>

void DecodeArbitraryBytes(const uint8_t* data, size_t size);
