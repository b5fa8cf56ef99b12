// The editor view opened on a demo built in memory, with scripted answers from the person,
// a recording display and a second view that records the document's hints.
#pragma once

#include "demo_bytes.h"
#include "scripted_ui.h"

#include "demo/byte_sink.h"
#include "demo/tresk_doc.h"
#include "editor/tresk_view.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace edtest {

// Records the hints the document broadcasts to the other views.
class HintRecorder : public DocumentView {
  public:
    struct Hint {
        int hint;
        std::vector<uint32_t> values;
    };
    std::vector<Hint> hints;
    void OnUpdate(DocumentView*, int hint, const std::vector<uint32_t>& values) override {
        hints.push_back({hint, values});
    }
    std::vector<Hint> Without(int hint) const {
        std::vector<Hint> out;
        for (const Hint& h : hints) {
            if (h.hint != hint) {
                out.push_back(h);
            }
        }
        return out;
    }
};

// What a block holds: "f<n>" for a block with frame n (SampleDemo: server frame 1000 + n;
// PlayDemo: the frame showing stat 1 = n, which stays when saving renumbers the frames), else
// its first print's text.
inline std::string Tag(const DemoBlock* block) {
    if (block == nullptr) {
        return "none";
    }
    for (const DemoMessage* m = block->FirstMessage(); m != nullptr; m = m->next) {
        if (const auto* frame = MessageCast<FrameMessage>(m)) {
            if (const auto* player = MessageCast<PlayerInfoMessage>(frame->next)) {
                return "f" + std::to_string(player->state.stats[1]);
            }
            return "f" + std::to_string(frame->server_frame - 1000);
        }
    }
    const DemoMessage* m = block->FirstMessage();
    if (const auto* print = MessageCast<PrintMessage>(m)) {
        return print->text;
    }
    return m == nullptr ? "empty" : GetMessageName(m->type);
}

class ViewTest : public ::testing::Test {
  protected:
    void Open(const std::vector<Bytes>& blocks) {
        view.reset(); // a second Open replaces the demo: its view goes first
        doc = LoadDoc(blocks);
        doc->AddView(&other);
        view = std::make_unique<CTreskView>(*doc, ui, display);
        view->OnInitialUpdate("/usr/share/games/quake2");
    }
    void TearDown() override {
        ui.ExpectAllAnswersUsed();
        view.reset();
    }

    // The demo as Save writes it now.
    Bytes Saved() {
        VectorSink out;
        doc->SaveTo(out);
        return out.bytes;
    }
    // Moves to a block with GOTO (from a block other than n).
    void Goto(uint32_t n) {
        ui.AnswerNumber(n);
        view->OnGotoBlock();
        ASSERT_EQ(view->CurrentBlockNumber(), n);
    }
    void Select(uint32_t first, uint32_t last) {
        view->OnUpdate(&other, kHintSelectBlocks, {first, last});
        ASSERT_EQ(view->CurrentBlockNumber(), first);
    }
    // The blocks in list order as tags, checking that the links agree both ways.
    std::vector<std::string> Order() {
        std::vector<std::string> tags;
        DemoBlock* previous = nullptr;
        for (DemoBlock* b = doc->FirstBlock(); b != nullptr; b = b->next) {
            EXPECT_EQ(b->previous, previous) << "broken back link at " << Tag(b);
            tags.push_back(Tag(b));
            previous = b;
        }
        EXPECT_EQ(tags.size(), doc->blockCount);
        return tags;
    }
    std::string CurrentTag() const { return Tag(doc->currentBlock); }

    ScriptedUi ui;
    RecordingDisplay display;
    HintRecorder other;
    std::unique_ptr<CTreskDoc> doc;
    std::unique_ptr<CTreskView> view;
};

} // namespace edtest
