// Reading the demo container and its damaged forms.
#include "demo_test_util.h"

#include "demo/demo_container.h"
#include "fx/game_demo_builder.h"

#include <gtest/gtest.h>

#include <cstring>

using fx::Bytes;
namespace Msg = fx::Msg;

namespace {

Bytes Print(const std::string& text) {
    return Msg::Print(2, text);
}

TEST(Container, EndMarkerIsOptionalAndZeroLengthBlocksVanish) {
    fx::DemoFileWriter withMarker;
    withMarker.Block({ServerDataMsg()}).Block({Print("a")}).ZeroLengthBlock().Block({Print("b")});
    fx::DemoFileWriter without = withMarker;
    withMarker.EndMarker().RawBytes({1, 2, 3, 4, 5}); // nothing after the marker is read

    for (const Bytes& file : {withMarker.ToBytes(), without.ToBytes()}) {
        auto doc = DecodedDoc(file);
        ASSERT_EQ(doc->blockCount, 3u);
        auto third = Records(doc->BlockAt(3));
        ASSERT_EQ(third.size(), 1u);
        EXPECT_EQ(MessageCast<PrintMessage>(third[0])->text, "b");
        EXPECT_EQ(doc->BlockAt(4), nullptr);
    }
}

TEST(Container, FirstBlockIsTakenAsItStandsEvenWhenEmpty) {
    Bytes file = fx::DemoFileWriter().Block(Bytes{}).Block({Print("x")}).ToBytes();
    auto doc = DecodedDoc(file);
    ASSERT_EQ(doc->blockCount, 2u);
    DemoBlock* first = doc->FirstBlock();
    EXPECT_FALSE(first->decoded);
    EXPECT_EQ(first->MessageCount(), 0u);
    first->Decode(*doc, kDecodeWithNeighbours); // decoding an empty block again does nothing
    EXPECT_FALSE(first->decoded);
    EXPECT_EQ(first->FindMessage(svc_print), nullptr);
}

TEST(Container, FileEndingInsideABlockKeepsItsCompleteMessages) {
    Bytes payload = fx::Cat({Print("kept"), Print("cut short")});
    fx::DemoFileWriter w;
    w.Block({ServerDataMsg()}).BlockWithLength(static_cast<uint32_t>(payload.size() + 40), payload);
    ShownMessages shown;
    auto doc = DecodedDoc(w.ToBytes());
    ASSERT_EQ(doc->blockCount, 2u);
    // Both messages are whole although the block announced more bytes than the file holds.
    EXPECT_EQ(Records(doc->BlockAt(2)).size(), 2u);
    ASSERT_FALSE(shown.texts().empty());
    EXPECT_NE(shown.texts()[0].find("ends inside block 2"), std::string::npos);

    // Cutting the file inside the second print drops that message only.
    Bytes cut = fx::DemoFileWriter().Block({ServerDataMsg()}).Block(payload).ToBytes();
    cut.resize(cut.size() - 3);
    auto doc2 = DecodedDoc(cut);
    auto records = Records(doc2->BlockAt(2));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(MessageCast<PrintMessage>(records[0])->text, "kept");
    bool listed = false;
    for (const DecodeProblem& p : doc2->Problems()) {
        listed |= p.block == 2;
    }
    EXPECT_TRUE(listed);
}

TEST(Container, HugeAnnouncedLengthKeepsOnlyTheBytesPresent) {
    Bytes bytes = {0xFF, 0xFF, 0xFF, 0x7F, 12, 34};
    ContainerResult r = ReadDemoContainer(FileBytes::Copy(bytes.data(), bytes.size()));
    ASSERT_NE(r.first, nullptr);
    EXPECT_EQ(r.first->rawLength, 2u);
    EXPECT_EQ(r.first->RawBytes()[1], 34);
    EXPECT_EQ(r.truncatedBlock, 1u);
    DeleteBlockChain(r.first);

    Bytes tooShort = {1, 0};
    EXPECT_EQ(ReadDemoContainer(FileBytes::Copy(tooShort.data(), tooShort.size())).first, nullptr);
}

TEST(Container, BlocksShareTheFileBufferUntilDecoded) {
    Bytes bytes = fx::DemoFileWriter().Block({ServerDataMsg()}).Block({Print("a")}).ToBytes();
    FileBytes file = FileBytes::Copy(bytes.data(), bytes.size());
    ContainerResult r = ReadDemoContainer(file);
    EXPECT_EQ(file.data.use_count(), 3);
    CTreskDoc doc;
    doc.currentBlock = r.first;
    doc.blockCount = r.blockCount;
    doc.DecodeAll();
    EXPECT_EQ(file.data.use_count(), 1); // decoding let go of the file
    EXPECT_EQ(MessageCast<PrintMessage>(doc.BlockAt(2)->FirstMessage())->text, "a");
}

TEST(Container, OpeningAMissingOrEmptyFileFailsWithAReason) {
    CTreskDoc doc;
    std::string error;
    EXPECT_FALSE(doc.OnOpenDocument("/nonexistent/demo.dm2", &error));
    EXPECT_NE(error.find("Cannot open"), std::string::npos);
    fx::TempFile empty(Bytes{}, ".dm2");
    EXPECT_FALSE(doc.OnOpenDocument(empty.str(), &error));
    EXPECT_NE(error.find("too short"), std::string::npos);
    EXPECT_EQ(doc.blockCount, 0u);
    EXPECT_FALSE(doc.OnNewDocument());
}

TEST(Container, AFileThatIsNotADemoIsRefusedNamingIt) {
    const Bytes text = {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '\n'};
    const Bytes printFirst =
        fx::DemoFileWriter().Block({Print("hi")}).Block({ServerDataMsg()}).ToBytes();
    const Bytes emptyFirst =
        fx::DemoFileWriter().BlockWithLength(0, {}).Block({ServerDataMsg()}).ToBytes();
    const Bytes lengthOnly = {5, 0, 0, 0};
    for (const Bytes& bytes : {text, printFirst, emptyFirst, lengthOnly}) {
        ShownMessages shown;
        fx::TempFile file(bytes, ".dm2");
        CTreskDoc doc;
        std::string error;
        EXPECT_FALSE(doc.OnOpenDocument(file.str(), &error));
        EXPECT_EQ(error, "\"" + file.str() +
                             "\" is not a demo: its first block does not start with a serverdata "
                             "message.");
        EXPECT_EQ(doc.blockCount, 0u);
        EXPECT_EQ(doc.FirstBlock(), nullptr);
        EXPECT_TRUE(doc.PathName().empty());
        EXPECT_TRUE(shown.texts().empty()); // no second message about a cut-short block
    }
    // A demo cut short inside its serverdata block still opens: its start is there.
    fx::TempFile cut(fx::DemoFileWriter().BlockWithLength(100, ServerDataMsg()).ToBytes(), ".dm2");
    ShownMessages quiet;
    CTreskDoc doc;
    std::string error;
    EXPECT_TRUE(doc.OnOpenDocument(cut.str(), &error)) << error;
}

TEST(BlockList, FindAppendInsertEraseKeepTheTail) {
    DemoBlock block;
    EXPECT_EQ(block.FindMessage(svc_frame), nullptr);
    block.AppendMessage(NewMessage(svc_print));
    block.AppendMessage(NewMessage(svc_frame));
    block.InsertMessageAfter(nullptr, NewMessage(svc_nop));
    EXPECT_EQ(block.MessageCount(), 3u);
    EXPECT_EQ(block.FirstMessage()->type, svc_nop);
    EXPECT_EQ(block.FindMessage(svc_frame), block.LastMessage());
    block.EraseMessageAfter(block.FirstMessage()); // the print
    EXPECT_EQ(block.MessageCount(), 2u);
    block.EraseMessageAfter(block.FirstMessage()); // the frame, the tail
    EXPECT_EQ(block.LastMessage(), block.FirstMessage());
    block.AppendMessage(NewMessage(svc_sound));
    EXPECT_EQ(block.LastMessage()->type, svc_sound);
    EXPECT_EQ(block.MessageAt(0), block.FirstMessage());
    EXPECT_EQ(block.MessageAt(9), nullptr);
}

TEST(BlockList, NeighbourWindowDecodesFiftyEachWay) {
    fx::DemoFileWriter w;
    w.Block({ServerDataMsg()});
    for (int i = 0; i < 120; ++i) {
        w.Block({Print(std::to_string(i))});
    }
    CTreskDoc doc;
    Bytes file = w.ToBytes();
    doc.LoadFromBytes(file.data(), file.size());
    doc.BlockAt(61)->Decode(doc, kDecodeWithNeighbours);
    for (uint32_t n = 1; n <= doc.blockCount; ++n) {
        bool inWindow = n >= 11 && n <= 111;
        EXPECT_EQ(doc.BlockAt(n)->decoded, inWindow) << "block " << n;
    }
}

TEST(BlockList, CopyBlockRunDeepCopiesRecordsAndLeavesTheSourceAlone) {
    Bytes file = fx::DemoFileWriter()
                     .Block({ServerDataMsg()})
                     .Block({Print("one")})
                     .Block({Print("two"), Msg::Nop()})
                     .Block({Print("three")})
                     .ToBytes();
    auto doc = DecodedDoc(file);
    MessageCast<PrintMessage>(doc->BlockAt(2)->FirstMessage())->text = "edited";
    DemoBlock* copy = CopyBlockRun(doc->BlockAt(2), 2, *doc);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->previous, nullptr);
    ASSERT_NE(copy->next, nullptr);
    EXPECT_EQ(copy->next->next, nullptr);
    EXPECT_EQ(MessageCast<PrintMessage>(copy->FirstMessage())->text, "edited");
    // Records are copied as they stand, never through the codec: the nop stays in both.
    EXPECT_EQ(copy->next->MessageCount(), 2u);
    EXPECT_EQ(doc->BlockAt(3)->MessageCount(), 2u);
    MessageCast<PrintMessage>(copy->FirstMessage())->text = "copy only";
    EXPECT_EQ(MessageCast<PrintMessage>(doc->BlockAt(2)->FirstMessage())->text, "edited");
    DeleteBlockChain(copy);
}

} // namespace

namespace {

TEST(Container, ALargeFileFromDiskReadsAsTheSameBytesInMemory) {
    ShownMessages quiet;
    fx::GameDemoOptions options;
    options.frames = 9000; // over a megabyte
    options.players = 4;
    Bytes bytes = fx::GameDemoBuilder(options).Build();
    ASSERT_GT(bytes.size(), size_t{1} << 20);
    fx::TempFile file(bytes, ".dm2");
    CTreskDoc fromDisk;
    std::string error;
    ASSERT_TRUE(fromDisk.OnOpenDocument(file.str(), &error)) << error;
    fromDisk.DecodeAll();
    auto inMemory = DecodedDoc(bytes);
    ASSERT_EQ(fromDisk.blockCount, inMemory->blockCount);
    EXPECT_EQ(SavedBytes(fromDisk), SavedBytes(*inMemory));
}

} // namespace
