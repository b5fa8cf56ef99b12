#include "fuzz_entry.h"

#include "demo/show_message.h"
#include "demo/tresk_doc.h"
#include "editor/block_buffer.h"
#include "editor/block_edit.h"

namespace {

// One block edit chosen from the input's size, as the editor's commands make them: a cut, a
// reverse or a paste of a short run from the first block of play on.
void EditBlocks(CTreskDoc& doc, size_t seed) {
    const uint32_t firstPlay = FirstFrameBlockNumber(doc);
    if (firstPlay < 2 || doc.blockCount < firstPlay + 3) {
        return;
    }
    const uint32_t room = doc.blockCount - firstPlay - 1; // blocks after the first of play
    const uint32_t start = firstPlay + static_cast<uint32_t>(seed / 4 % room);
    const uint32_t count = std::min<uint32_t>(2 + static_cast<uint32_t>(seed / 7 % 8),
                                              doc.blockCount - start);
    DemoBlock* first = doc.BlockAt(start);
    switch (seed % 4) {
    case 0:
        DeleteBlockChain(UnlinkBlockRun(doc, first, count));
        break;
    case 1:
        if (start + count <= doc.blockCount - 1) {
            ReverseBlockRun(doc, first, count);
        }
        break;
    case 2: {
        CBlockBuffer buffer;
        buffer.FillBlockBuffer(first, count, doc, true);
        doc.blockCount += buffer.PasteBlockBuffer(doc.BlockAt(doc.blockCount - 1), doc);
        break;
    }
    default:
        break; // saved as it is
    }
}

} // namespace

void DecodeArbitraryBytes(const uint8_t* data, size_t size) {
    static const bool quiet = [] {
        SetShowMessageHandler([](const std::string&) {});
        return true;
    }();
    (void)quiet;
    CTreskDoc doc;
    doc.LoadFromBytes(data, size);
    doc.DecodeAll();
    doc.firstFrameBlock = doc.FindFirstPlayBlock();
    EditBlocks(doc, size);
    VectorSink saved;
    doc.SaveTo(saved);
    CTreskDoc again;
    again.LoadFromBytes(saved.bytes.data(), saved.bytes.size());
    again.DecodeAll();
}
