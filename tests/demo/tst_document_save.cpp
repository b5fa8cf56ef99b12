// Saving a document: the rebuilt signon, configstrings during play, renumbered frames, the
// hint to the views, and the file on disk.
#include "demo_test_util.h"

#include "demo/codec.h"
#include "demo/demo_container.h"

#include <gtest/gtest.h>

#include <filesystem>

using fx::Bytes;
using fx::EntityDelta;
namespace Msg = fx::Msg;

namespace {

// Configstring (index, value) pairs of a block, in order.
std::vector<std::pair<int, std::string>> ConfigStrings(const Bytes& block) {
    auto doc = DecodedDoc(fx::DemoFileWriter().Block({ServerDataMsg()}).Block(block).ToBytes());
    std::vector<std::pair<int, std::string>> out;
    for (const DemoMessage* m : Records(doc->BlockAt(2))) {
        if (auto* cs = MessageCast<ConfigStringMessage>(m)) {
            out.emplace_back(cs->index, cs->value);
        }
    }
    return out;
}

Bytes FrameBlock(int32_t n) {
    return fx::Cat({Msg::Frame(n, n - 1), Msg::PlayerInfo({}), Msg::PacketEntities({})});
}

TEST(Signon, RebuiltInIndexOrderWithGapsKeptAsEmptyStrings) {
    fx::DemoFileWriter w;
    w.Block({ServerDataMsg(), Msg::ConfigString(CS_LIGHTS, "m"), Msg::ConfigString(0, "Level"),
             Msg::ConfigString(2, "unit1_"), Msg::ConfigString(5, "sb"), Msg::ConfigString(30, "8"),
             Msg::ConfigString(1313, "bob\\male/grunt"), Msg::ConfigString(35, "models/c.md2"),
             Msg::ConfigString(33, "maps/q2dm1.bsp"), Msg::ConfigString(289, "s.wav"),
             Msg::ConfigString(31, "12345")});
    w.Block({Msg::StuffText("precache\n")});
    auto doc = DecodedDoc(w.ToBytes());
    auto blocks = BlocksOf(SavedBytes(*doc));
    // The signon, then what else the opening block held (the light style), then block 2.
    ASSERT_EQ(blocks.size(), 3u);
    ASSERT_EQ(blocks[0][0], svc_serverdata);
    std::vector<std::pair<int, std::string>> expected = {
        {0, "Level"},
        {1, ""},
        {2, "unit1_"},
        {3, ""},
        {4, ""},
        {5, "sb"},
        {30, "8"},
        {31, "12345"},
        {33, "maps/q2dm1.bsp"},
        {34, ""},
        {35, "models/c.md2"},
        {289, "s.wav"},
        {1312, ""},
        {1313, "bob\\male/grunt"},
    };
    auto saved = DecodedDoc(SavedBytes(*doc));
    std::vector<std::pair<int, std::string>> got;
    for (const DemoMessage* m : Records(saved->FirstBlock())) {
        if (auto* cs = MessageCast<ConfigStringMessage>(m)) {
            got.emplace_back(cs->index, cs->value);
        }
    }
    EXPECT_EQ(got, expected);
    // The rest of the opening block follows the tables in a block of its own.
    EXPECT_EQ(blocks[1], Msg::ConfigString(CS_LIGHTS, "m"));
    EXPECT_EQ(blocks[2], Msg::StuffText("precache\n"));
}

TEST(Signon, LongTablesSpreadOverBlocksOfAtMost1394Bytes) {
    fx::DemoFileWriter w;
    Bytes opening = ServerDataMsg();
    for (int k = 0; k < 256; ++k) {
        opening =
            fx::Cat({opening, Msg::ConfigString(kModelBase + k, std::string(60, 'a' + k % 26))});
    }
    w.Block(opening);
    auto doc = DecodedDoc(w.ToBytes());
    EXPECT_EQ(doc->modelTable.Count(), 256);
    auto blocks = BlocksOf(SavedBytes(*doc));
    EXPECT_GT(blocks.size(), 10u);
    size_t total = 0;
    for (const Bytes& b : blocks) {
        EXPECT_LE(b.size(), 1394u);
        total += ConfigStrings(b).size();
    }
    EXPECT_EQ(total, 256u + 7u); // the models and configstrings 0 to 4, 30 and 31
}

TEST(Signon, ConfigStringsDuringPlayStayWhereTheyStand) {
    fx::DemoFileWriter w;
    w.Block({ServerDataMsg(), Msg::ConfigString(1312, "alice\\female/athena"),
             Msg::ConfigString(1568, "scores at start")});
    for (int i = 2; i <= 5; ++i) {
        w.Block({Msg::Print(1, "signon " + std::to_string(i))});
    }
    w.Block(FrameBlock(100));
    w.Block({Msg::ConfigString(1313, "bob\\male/grunt"),
             Msg::ConfigString(1312, "alice\\female/brianna"),
             Msg::ConfigString(1570, "timer 10:00"), Msg::Frame(101, 100), Msg::PlayerInfo({}),
             Msg::PacketEntities({})});
    auto doc = DecodedDoc(w.ToBytes());
    // The tables describe the demo as it starts.
    EXPECT_EQ(doc->skinTable.Count(), 1);
    EXPECT_EQ(doc->skinTable.Entry(0), "alice\\female/athena");
    auto blocks = BlocksOf(SavedBytes(*doc));
    auto during = ConfigStrings(blocks.back());
    std::vector<std::pair<int, std::string>> expected = {
        {1313, "bob\\male/grunt"}, {1312, "alice\\female/brianna"}, {1570, "timer 10:00"}};
    EXPECT_EQ(during, expected);
    // The general configstring of the opening block is kept too, after the tables.
    auto opening = ConfigStrings(blocks[1]);
    EXPECT_EQ(opening.back(), (std::pair<int, std::string>{1568, "scores at start"}));
}

TEST(Signon, EmptyFirstBlockIsSavedWithoutAServerData) {
    Bytes file = fx::DemoFileWriter().Block(Bytes{}).Block({Msg::Print(1, "x")}).ToBytes();
    auto doc = DecodedDoc(file);
    auto blocks = BlocksOf(SavedBytes(*doc));
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0][0], svc_configstring);
}

// A demo with five signon blocks, frames from block 6 on.
fx::DemoFileWriter PlayDemo(int frames) {
    fx::DemoFileWriter w;
    w.Block({ServerDataMsg()});
    for (int i = 2; i <= 5; ++i) {
        w.Block({Msg::Print(1, "signon")});
    }
    for (int i = 0; i < frames; ++i) {
        w.Block(FrameBlock(500 + i));
    }
    return w;
}

std::vector<std::pair<int32_t, int32_t>> FrameNumbers(CTreskDoc& doc) {
    std::vector<std::pair<int32_t, int32_t>> out;
    for (DemoBlock* b = doc.FirstBlock(); b; b = b->next) {
        if (auto* f = MessageCast<FrameMessage>(b->FindMessage(svc_frame))) {
            out.emplace_back(f->server_frame, f->delta_frame);
        }
    }
    return out;
}

TEST(Renumbering, FramesBecomeConsecutiveAcrossBlocksWithoutFramesAndUnshownFramesStayUnshown) {
    fx::DemoFileWriter w = PlayDemo(4);
    w.Block({Msg::Print(1, "no frame here")});
    w.Block(FrameBlock(900));
    auto doc = DecodedDoc(w.ToBytes());
    ASSERT_EQ(doc->firstFrameBlock, 6u);
    // Swap the frame numbers of blocks 7 and 8, as a reversal would leave them.
    std::swap(MessageCast<FrameMessage>(doc->BlockAt(7)->FirstMessage())->server_frame,
              MessageCast<FrameMessage>(doc->BlockAt(8)->FirstMessage())->server_frame);
    doc->RenumberFrames();
    // A frame that names a frame the game does not hold (the first, and the one after the
    // gap) stays unshown, naming a stale ring entry; every other deltas from the one before.
    std::vector<std::pair<int32_t, int32_t>> expected = {
        {500, 515}, {501, 500}, {502, 501}, {503, 502}, {504, 519}};
    EXPECT_EQ(FrameNumbers(*doc), expected);
}

TEST(Saving, ViewsHearHint20BeforeAnythingIsWritten) {
    struct RecordingView : DocumentView {
        CTreskDoc* doc = nullptr;
        std::vector<int> hints;
        void OnUpdate(DocumentView*, int hint, const std::vector<uint32_t>&) override {
            hints.push_back(hint);
            if (hint == kHintBeforeSave) {
                // A pending page edit stored now reaches the file.
                MessageCast<PrintMessage>(doc->BlockAt(2)->FirstMessage())->text = "stored";
            }
        }
    } view;
    auto doc = DecodedDoc(PlayDemo(2).ToBytes());
    view.doc = doc.get();
    doc->AddView(&view);
    auto again = DecodedDoc(SavedBytes(*doc));
    EXPECT_EQ(view.hints, std::vector<int>{kHintBeforeSave});
    EXPECT_EQ(MessageCast<PrintMessage>(again->BlockAt(2)->FirstMessage())->text, "stored");
    doc->RemoveView(&view);
}

TEST(Saving, ASecondMapStartsFromFreshDeltaState) {
    fx::DemoFileWriter w = PlayDemo(0);
    w.Block(
        {Msg::Frame(500, -1), Msg::PlayerInfo({.flags = PS_M_ORIGIN, .origin = {8, 8, 8}}),
         Msg::PacketEntities(
             {{.number = 5, .bits = U_MODEL | U_ORIGIN1, .modelindex = 3, .origin = {80, 0, 0}}})});
    w.Block({ServerDataMsg(), Msg::ConfigString(33, "maps/second.bsp")});
    w.Block({Msg::Frame(20, -1), Msg::PlayerInfo({}),
             Msg::PacketEntities({{.number = 5, .bits = U_ORIGIN2, .origin = {0, 8, 0}}})});
    auto doc = DecodedDoc(w.ToBytes());
    auto* e = MessageCast<EntityMessage>(doc->BlockAt(8)->MessageAt(3));
    EXPECT_EQ(e->state.modelindex, 0);
    EXPECT_EQ(e->state.origin[0], 0);
    auto* p = MessageCast<PlayerInfoMessage>(doc->BlockAt(8)->MessageAt(2));
    EXPECT_EQ(p->state.origin[0], 0);
    // The second map's signon is written where it stands, and its entities read the same.
    auto again = DecodedDoc(SavedBytes(*doc));
    std::string why;
    for (uint32_t n = 6; n <= 8; ++n) {
        auto a = Records(doc->BlockAt(n));
        auto b = Records(again->BlockAt(n));
        ASSERT_EQ(a.size(), b.size()) << "block " << n;
        for (size_t i = 0; i < a.size(); ++i) {
            EXPECT_TRUE(SameRecord(*a[i], *b[i], &why)) << "block " << n << ": " << why;
        }
    }
}

TEST(Saving, ThroughATemporaryFileThatNeverReplacesOnFailure) {
    auto doc = DecodedDoc(PlayDemo(3).ToBytes());
    fx::TempFile target(Bytes{1, 2, 3}, ".dm2");
    std::filesystem::permissions(target.path(), std::filesystem::perms::owner_read |
                                                    std::filesystem::perms::owner_write |
                                                    std::filesystem::perms::group_read);
    std::string error;
    ASSERT_TRUE(doc->OnSaveDocument(target.str(), &error)) << error;
    Bytes written = fx::ReadBytes(target.path());
    EXPECT_EQ(written, SavedBytes(*doc));
    EXPECT_EQ(std::filesystem::status(target.path()).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);

    // A target that cannot be replaced: the error is reported, nothing is left behind.
    auto dir = std::filesystem::temp_directory_path() / "tresk-save-into-a-folder";
    std::filesystem::create_directories(dir / "keep");
    EXPECT_FALSE(doc->OnSaveDocument(dir.string(), &error));
    EXPECT_NE(error.find("Cannot save"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir / "keep"));
    for (const auto& entry : std::filesystem::directory_iterator(dir.parent_path())) {
        EXPECT_EQ(entry.path().string().find(dir.string() + "."), std::string::npos)
            << "left behind: " << entry.path();
    }
    std::filesystem::remove_all(dir);
    EXPECT_FALSE(doc->OnSaveDocument("/nonexistent-folder/x.dm2", &error));
}

TEST(Saving, ALongTextIsCutToWhatTheGameReads) {
    auto doc = DecodedDoc(PlayDemo(1).ToBytes());
    auto print = NewMessage(svc_centerprint);
    MessageCast<TextMessage>(print.get())->text = std::string(5000, 'y');
    doc->BlockAt(2)->AppendMessage(std::move(print));
    auto again = DecodedDoc(SavedBytes(*doc));
    // Too long for the block it stood in: it follows in a block of its own, reported.
    EXPECT_EQ(doc->lastSave.blocksOverLimit, 1u);
    auto* t = MessageCast<TextMessage>(again->BlockAt(3)->LastMessage());
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->text.size(), kMaxTextChars);
}

} // namespace
