#include "fuzz_entry.h"

#include "demo/show_message.h"
#include "demo/tresk_doc.h"

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
    VectorSink saved;
    doc.SaveTo(saved);
    CTreskDoc again;
    again.LoadFromBytes(saved.bytes.data(), saved.bytes.size());
    again.DecodeAll();
}
