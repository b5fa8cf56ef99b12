// Demos of known shape for the editor suites, built with the shared demo fixtures.
#pragma once

#include "demo/tresk_doc.h"

#include "fx/demo_file_writer.h"
#include "fx/messages.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace edtest {

using fx::Bytes;

// A document loaded from block payloads (undecoded, as after opening).
std::unique_ptr<CTreskDoc> LoadDoc(const std::vector<Bytes>& blocks);
std::unique_ptr<CTreskDoc> LoadFile(const Bytes& file);

// A demo of `blocks` blocks: block 1 the serverdata and a model and a sound configstring,
// blocks 2 to firstPlay - 1 a print each ("signon <n>"), and from firstPlay on a frame
// (server frame 1000 + n) followed by `extraMessages` prints ("b<n> m<k>") per block.
// firstPlay 0: no frame at all.
std::vector<Bytes> SampleDemo(uint32_t blocks, uint32_t firstPlay, uint32_t extraMessages = 2);

} // namespace edtest
