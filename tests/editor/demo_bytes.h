// A small writer of demo bytes for the editor suites: a few server messages and the block
// container, enough to give the editor view a demo of known shape.
#pragma once

#include "demo/tresk_doc.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace edtest {

using Bytes = std::vector<uint8_t>;

Bytes ServerData(int32_t protocol = 34);
Bytes ConfigString(uint16_t index, const std::string& value);
Bytes Print(uint8_t level, const std::string& text);
Bytes StuffText(const std::string& text);
Bytes Nop();
Bytes Frame(int32_t serverFrame, int32_t deltaFrame); // with the suppress byte
// A sound with every field sent.
Bytes Sound(uint8_t soundnum, uint8_t volume, uint8_t attenuation, int16_t x, int16_t y, int16_t z);

Bytes Cat(const std::vector<Bytes>& parts);
// Length-prefixed blocks, no end marker.
Bytes Container(const std::vector<Bytes>& blocks);

// A document loaded from blocks (undecoded, as after opening).
std::unique_ptr<CTreskDoc> LoadDoc(const std::vector<Bytes>& blocks);

// A demo of `blocks` blocks: block 1 the serverdata and a model and a sound configstring,
// blocks 2 to firstPlay - 1 a print each, and from firstPlay on a frame followed by
// `extraMessages` prints ("b<block> m<k>") per block. firstPlay 0: no frame at all.
std::vector<Bytes> SampleDemo(uint32_t blocks, uint32_t firstPlay, uint32_t extraMessages = 2);

} // namespace edtest
