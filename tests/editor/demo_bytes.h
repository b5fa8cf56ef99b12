// Demos of known shape for the editor suites, built with the shared demo fixtures.
#pragma once

#include "demo/tresk_doc.h"

#include "fx/demo_file_writer.h"
#include "fx/messages.h"

#include <cstdint>
#include <memory>
#include <string>
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

// A demo the game plays: as SampleDemo, but each frame block n carries its playerinfo and
// packet entities, then one print ("b<n> m1"). Frame n shows stat 1 = n, entity 1 at x = 8n
// and, when n % 3 != 0, entity 2 at y = 8n (so entity 2 is removed and added again every
// three frames), and, when (n / 4) % 2 == 0, entity 3 at z = 8 * (n / 4), sent only when it
// comes back. The first frame stands alone, each later one deltas from the one before.
std::vector<Bytes> PlayDemo(uint32_t blocks, uint32_t firstPlay);

// The number n each frame the game shows in a document says it is (by PlayDemo's rule), in
// the document's order; -1 for a frame that shows something no frame of PlayDemo shows.
std::vector<int> ShownPlayFrames(const CTreskDoc& doc);

// The value the game holds for configstring `index` at each frame it shows, in the
// document's order: the latest record's, or the signon's.
std::vector<std::string> HeldConfigStrings(const CTreskDoc& doc, int index);

} // namespace edtest
