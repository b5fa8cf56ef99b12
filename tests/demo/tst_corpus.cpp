// Real demos recorded by the game: every one opens, decodes without a problem, re-saves, and
// the saved file decodes to the same records block for block.
#include "demo_test_util.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

// The records a saved block should hold besides its frames' entities: what the codec writes
// (dropped types and configstrings carried by the rebuilt signon left out). Entity records
// are the differences the saver sends; what the frames show is checked by the reference
// decoder below.
std::vector<const DemoMessage*> WrittenRecords(const DemoBlock* block) {
    std::vector<const DemoMessage*> out;
    for (const DemoMessage* m : Records(block)) {
        auto* cs = MessageCast<ConfigStringMessage>(m);
        bool dropped = m->type == svc_bad || m->type == svc_nop || m->type == svc_disconnect ||
                       m->type == svc_reconnect || m->type == svc_download ||
                       m->type == svc_packetentities || (cs && cs->signon);
        if (!dropped) {
            out.push_back(m);
        }
    }
    return out;
}

TEST(Corpus, EveryDemoResavesToTheSameRecords) {
    auto demos = CorpusDemos();
    if (demos.empty()) {
        GTEST_SKIP() << "no corpus demos in " << CINERAD_CORPUS_DIR;
    }
    ShownMessages shown;
    int checked = 0;
    for (const fs::path& path : demos) {
        SCOPED_TRACE(path.filename().string());
        fx::Bytes file = fx::ReadBytes(path);
        auto doc = DecodedDoc(file);
        ASSERT_GT(doc->blockCount, 0u);
        if (doc->protocolVersion != 34) {
            // A source port's own protocol: reported, never a crash.
            EXPECT_FALSE(doc->Problems().empty());
            SavedBytes(*doc);
            continue;
        }
        EXPECT_TRUE(doc->Problems().empty()) << doc->Problems().front().text;
        EXPECT_NE(doc->firstFrameBlock, 0u);
        fx::Bytes saved = SavedBytes(*doc);
        auto again = DecodedDoc(saved);
        EXPECT_TRUE(again->Problems().empty());
        for (const fx::Bytes& block : BlocksOf(saved)) {
            EXPECT_LE(block.size(), 1400u);
        }
        // Blocks whose records all go into the rebuilt signon are not written; the others
        // follow the signon blocks in order.
        std::vector<std::pair<uint32_t, std::vector<const DemoMessage*>>> written;
        uint32_t n = 2;
        for (DemoBlock* b = doc->FirstBlock()->next; b != nullptr; b = b->next, ++n) {
            auto expected = WrittenRecords(b);
            if (!expected.empty()) {
                written.emplace_back(n, std::move(expected));
            }
        }
        ASSERT_GE(again->blockCount, written.size());
        DemoBlock* s =
            again->BlockAt(again->blockCount - static_cast<uint32_t>(written.size()) + 1);
        std::string why;
        for (const auto& [number, expected] : written) {
            ASSERT_NE(s, nullptr);
            auto got = WrittenRecords(s);
            ASSERT_EQ(expected.size(), got.size()) << "block " << number;
            for (size_t i = 0; i < got.size(); ++i) {
                ASSERT_TRUE(SameRecord(*expected[i], *got[i], &why))
                    << "block " << number << " message " << i + 1 << ": " << why;
            }
            s = s->next;
        }
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

// The reference decoder shows the game the same state, frame by frame.
TEST(Corpus, ReferenceDecoderSeesTheSameGame) {
    auto demos = CorpusDemos();
    if (demos.empty() || !HaveReferenceDecoder()) {
        GTEST_SKIP() << "corpus or reference decoder missing";
    }
    ShownMessages quiet;
    for (const fs::path& path : demos) {
        auto doc = DecodedDoc(fx::ReadBytes(path));
        if (doc->protocolVersion != 34) {
            continue;
        }
        SCOPED_TRACE(path.filename().string());
        fx::TempFile saved(".dm2");
        std::string error;
        ASSERT_TRUE(doc->OnSaveDocument(saved.str(), &error)) << error;
        std::string command = std::string("python3 '") + Q2REF_TOOL + "' compare --general '" +
                              path.string() + "' '" + saved.str() + "' > /dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
    }
}

} // namespace
