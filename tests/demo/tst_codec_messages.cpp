// The message catalogue: every message type reads into its record and writes back to the
// same bytes; names, dropped types and the codec's error texts.
#include "demo_test_util.h"

#include "demo/codec.h"

#include <gtest/gtest.h>

#include <algorithm>

using fx::Bytes;
namespace Msg = fx::Msg;

namespace {

// A demo whose second block holds the given messages, decoded.
std::unique_ptr<CTreskDoc> WithBlock(const Bytes& payload, int protocol = 34) {
    return DecodedDoc(
        fx::DemoFileWriter().Block({ServerDataMsg(protocol)}).Block(payload).ToBytes());
}

// The payload of the second block of the saved demo (the signon here is one block).
Bytes ResavedBlock(CTreskDoc& doc) {
    auto blocks = BlocksOf(SavedBytes(doc));
    return blocks.size() > 1 ? blocks[1] : Bytes{};
}

TEST(MessageNames, NamesOfEveryId) {
    EXPECT_EQ(GetMessageName(0), "bad");
    EXPECT_EQ(GetMessageName(9), "sound");
    EXPECT_EQ(GetMessageName(19), "deltapacketentities");
    EXPECT_EQ(GetMessageName(20), "frame");
    EXPECT_EQ(GetMessageName(21), "Unknown Message : 21");
    EXPECT_EQ(GetMessageName(0x100 + 13), "configstring"); // only the low byte counts
}

TEST(MessageCodec, EveryPlainTypeRoundTripsToTheSameBytes) {
    fx::TempEntity gunshot{.type = 0, .position = {8, -16, 24}, .dir = 5};
    fx::TempEntity rail{.type = 3, .position = {1, 2, 3}, .end = {-4, -5, -6}};
    fx::TempEntity splash{.type = 10, .position = {7, 7, 7}, .dir = 9, .count = 4, .colour = 3};
    fx::TempEntity sparks{.type = 15, .position = {1, 1, 1}, .dir = 2, .count = 8, .colour = 208};
    fx::TempEntity parasite{.type = 16, .entity = 300, .position = {1, 0, 0}, .end = {0, 1, 0}};
    fx::TempEntity cable{
        .type = 24, .entity = 7, .position = {1, 2, 3}, .end = {4, 5, 6}, .offset = {-1, -2, -3}};
    std::vector<int16_t> inventory(256, 0);
    inventory[7] = 25;
    inventory[255] = -3;
    Bytes payload = fx::Cat({
        Msg::MuzzleFlash(12, 3), Msg::MuzzleFlash2(600, 201), Msg::TempEntity(gunshot),
        Msg::TempEntity(rail), Msg::TempEntity(splash), Msg::TempEntity(sparks),
        Msg::TempEntity(parasite), Msg::TempEntity(cable), Msg::Layout("xv 0 yv 0 string \"hi\""),
        Msg::Inventory(inventory), Msg::Print(3, "chat line\n"), Msg::StuffText("precache\n"),
        Msg::CenterPrint("Fight!"),
        Msg::ConfigString(900, "abcdefg"), // a light style: written where it stands
    });
    auto doc = WithBlock(payload);
    auto records = Records(doc->BlockAt(2));
    ASSERT_EQ(records.size(), 14u);
    auto* mf2 = MessageCast<MuzzleFlashMessage>(records[1]);
    EXPECT_EQ(mf2->entity, 600);
    EXPECT_EQ(mf2->weapon, 201);
    auto* te = MessageCast<TempEntityMessage>(records[7]);
    EXPECT_EQ(te->subtype, 24);
    EXPECT_EQ(te->offset[2], -3);
    EXPECT_EQ(MessageCast<InventoryMessage>(records[9])->counts[255], -3);
    EXPECT_EQ(MessageCast<PrintMessage>(records[10])->level, 3);
    EXPECT_EQ(ResavedBlock(*doc), payload);
}

TEST(MessageCodec, DroppedTypesVanishAndEmptyBlocksAreNotWritten) {
    Bytes dropped = fx::Cat({Msg::Nop(), Msg::Disconnect(), Msg::Reconnect(), Msg::Id(svc_bad)});
    Bytes file = fx::DemoFileWriter()
                     .Block({ServerDataMsg()})
                     .Block(dropped)
                     .Block({Msg::Print(1, "after")})
                     .ToBytes();
    auto doc = DecodedDoc(file);
    EXPECT_EQ(doc->BlockAt(2)->MessageCount(), 4u);
    auto blocks = BlocksOf(SavedBytes(*doc));
    ASSERT_EQ(blocks.size(), 2u); // the signon and the print; no end marker follows
    EXPECT_EQ(blocks[1], Msg::Print(1, "after"));
    Bytes saved = SavedBytes(*doc);
    EXPECT_NE(saved.end()[-4] & saved.end()[-3] & saved.end()[-2] & saved.end()[-1], 0xFF);
}

TEST(MessageCodec, InvalidIdIsReportedOncePerRunAndEndsTheBlock) {
    ResetInvalidIdReport();
    ShownMessages shown;
    Bytes payload = fx::Cat({Msg::Print(1, "before"), Msg::Id(19), Msg::Print(1, "lost")});
    auto doc = WithBlock(payload);
    auto records = Records(doc->BlockAt(2));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1]->type, svc_bad);
    auto doc2 = WithBlock(fx::Cat({Msg::Id(200)}));
    ASSERT_EQ(shown.texts().size(), 1u);
    EXPECT_EQ(shown.texts()[0], kInvalidIdText);
    // The placeholder is dropped on saving; what came before it stays.
    EXPECT_EQ(ResavedBlock(*doc), Msg::Print(1, "before"));
    ResetInvalidIdReport();
}

TEST(MessageCodec, UnknownTempEntityEndsTheBlockAndIsNotSaved) {
    ShownMessages shown;
    fx::TempEntity bad{.type = 60};
    Bytes payload = fx::Cat({Msg::TempEntity(bad), Msg::Print(1, "unreadable")});
    auto doc = WithBlock(payload);
    auto records = Records(doc->BlockAt(2));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(MessageCast<TempEntityMessage>(records[0])->subtype, 60);
    EXPECT_EQ(ResavedBlock(*doc), Bytes{});
    ASSERT_EQ(shown.texts().size(), 2u); // once reading, once writing
    EXPECT_EQ(shown.texts()[0], kInvalidTempEntityText);
}

TEST(MessageCodec, TempEntitiesOfTheMissionPacksFollowTheGamesLayouts) {
    // 26 is a blood effect (position, direction) from protocol 32 on; 33 carries two entities.
    Bytes green = fx::Cat({Msg::Raw({svc_temp_entity, 26, 1, 0, 2, 0, 3, 0, 77})});
    Bytes lightning =
        Msg::Raw({svc_temp_entity, 33, 5, 0, 6, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0});
    Bytes steam = Msg::Raw({svc_temp_entity, 40, 0xFF, 0xFF, 9, 1, 0, 2, 0, 3, 0, 4, 7, 10, 0});
    Bytes payload = fx::Cat({green, lightning, steam, Msg::Print(1, "still read")});
    auto doc = WithBlock(payload);
    auto records = Records(doc->BlockAt(2));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(MessageCast<TempEntityMessage>(records[0])->direction, 77);
    EXPECT_EQ(MessageCast<TempEntityMessage>(records[1])->entity2, 6);
    EXPECT_EQ(MessageCast<TempEntityMessage>(records[2])->magnitude, 10);
    EXPECT_EQ(ResavedBlock(*doc), payload);

    // Before protocol 32, 26 was a trail from a position to another.
    Bytes trail = Msg::Raw({svc_temp_entity, 26, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0});
    auto old = WithBlock(fx::Cat({trail, Msg::Print(1, "x")}), 31);
    auto oldRecords = Records(old->BlockAt(2));
    ASSERT_EQ(oldRecords.size(), 2u);
    EXPECT_EQ(MessageCast<TempEntityMessage>(oldRecords[0])->end_position[2], 6);
}

TEST(MessageCodec, LongStringsAreCutButFullyConsumed) {
    std::string longText(3000, 'x');
    Bytes payload = fx::Cat({Msg::StuffText(longText), Msg::Print(2, "next")});
    auto doc = WithBlock(payload);
    auto records = Records(doc->BlockAt(2));
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(MessageCast<TextMessage>(records[0])->text.size(), kMaxTextChars);
    EXPECT_EQ(MessageCast<PrintMessage>(records[1])->text, "next");
}

TEST(SoundCodec, FlagsAsReadAreKeptSoSilentAndGlobalSoundsStayThatWay) {
    fx::Sound silent{
        .flags = SND_VOLUME | SND_ENT, .soundnum = 4, .volume = 0, .entity = 3, .channel = 2};
    fx::Sound global{.flags = SND_ATTENUATION | SND_POS, .soundnum = 5, .attenuation = 0};
    fx::Sound placed{.flags = SND_POS, .soundnum = 6, .origin = {0, 0, 16}};
    fx::Sound everything{.flags = 31,
                         .soundnum = 7,
                         .volume = 255,
                         .attenuation = 64,
                         .offset = 12,
                         .entity = 8191,
                         .channel = 7,
                         .origin = {-1, 2, -3}};
    Bytes payload = fx::Cat(
        {Msg::Sound(silent), Msg::Sound(global), Msg::Sound(placed), Msg::Sound(everything)});
    auto doc = WithBlock(payload);
    auto records = Records(doc->BlockAt(2));
    auto* s = MessageCast<SoundMessage>(records[0]);
    EXPECT_EQ(s->volume, 0);
    EXPECT_EQ(s->entity, 3u);
    EXPECT_EQ(s->channel, 2u);
    auto* all = MessageCast<SoundMessage>(records[3]);
    EXPECT_EQ(all->entity, 8191u);
    EXPECT_EQ(all->time_offset, 12);
    EXPECT_EQ(ResavedBlock(*doc), payload);

    // An edit that gives a field a value sends it even though the wire never had it.
    auto* g = MessageCast<SoundMessage>(doc->BlockAt(2)->MessageAt(2));
    g->volume = 128;
    auto again = DecodedDoc(SavedBytes(*doc));
    auto saved = Records(again->BlockAt(2));
    auto* back = MessageCast<SoundMessage>(saved[1]);
    EXPECT_EQ(back->flags, SND_VOLUME | SND_ATTENUATION | SND_POS);
    EXPECT_EQ(back->volume, 128);
}

TEST(ServerData, FillsTheDocumentAndTheDocumentWinsOnSaving) {
    fx::ServerData sd{.protocol = 34,
                      .serverCount = 77,
                      .gameDir = "ctf",
                      .playerNum = 3,
                      .levelName = "The Edge"};
    auto doc = DecodedDoc(fx::DemoFileWriter().Block({Msg::ServerData(sd)}).ToBytes());
    EXPECT_EQ(doc->protocolVersion, 34);
    EXPECT_EQ(doc->playerNumber, 3);
    EXPECT_EQ(doc->mapName, "The Edge");
    doc->playerNumber = -1;
    doc->protocolVersion = 31;
    auto again = DecodedDoc(SavedBytes(*doc));
    auto* back = MessageCast<ServerDataMessage>(again->FirstBlock()->FirstMessage());
    EXPECT_EQ(back->protocol, 31);
    EXPECT_EQ(back->player_number, -1);
    EXPECT_EQ(back->game_dir, "ctf");
    EXPECT_EQ(back->server_count, 77u);
}

TEST(ServerData, OldProtocolIsReadWithoutSuppressCountAndSavedAs31) {
    ShownMessages shown;
    Bytes frame = Msg::Frame(500, 499, {0xAB}, std::nullopt);
    fx::PlayerDelta player;
    Bytes file = fx::DemoFileWriter()
                     .Block({ServerDataMsg(28)})
                     .Block({frame, Msg::PlayerInfo(player), Msg::PacketEntities({})})
                     .ToBytes();
    auto doc = DecodedDoc(file);
    ASSERT_FALSE(shown.texts().empty());
    EXPECT_EQ(shown.texts()[0], kOldProtocolText);
    auto* f = MessageCast<FrameMessage>(doc->BlockAt(2)->FirstMessage());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->server_frame, 500);
    EXPECT_EQ(f->area_bits_length, 1);
    EXPECT_EQ(f->AreaBit(0), 0xAB);
    EXPECT_EQ(doc->BlockAt(2)->MessageCount(), 3u);

    auto saved = SavedBytes(*doc);
    auto blocks = BlocksOf(saved);
    EXPECT_EQ(blocks[1], fx::Cat({Msg::Frame(500, 515, {0xAB}, uint8_t{0}), Msg::PlayerInfo(player),
                                  Msg::PacketEntities({})}));
    EXPECT_EQ(MessageCast<ServerDataMessage>(doc->FirstBlock()->FirstMessage())->protocol, 31);
    EXPECT_EQ(doc->protocolVersion, 31);
    auto again = DecodedDoc(saved);
    EXPECT_EQ(again->protocolVersion, 31);
    EXPECT_EQ(again->BlockAt(2)->MessageCount(), 3u);
}

TEST(ServerData, OldProtocolFramesThatCarryTheSuppressCountAreReadToo) {
    // Some versions before protocol 30 already sent the count; the playerinfo after the frame
    // tells the layouts apart.
    Bytes frame = Msg::Frame(500, 499, {0x01, 0x02}, uint8_t{0});
    Bytes file = fx::DemoFileWriter()
                     .Block({ServerDataMsg(28)})
                     .Block({frame, Msg::PlayerInfo({}), Msg::PacketEntities({})})
                     .ToBytes();
    ShownMessages shown;
    auto doc = DecodedDoc(file);
    auto* f = MessageCast<FrameMessage>(doc->BlockAt(2)->FirstMessage());
    EXPECT_EQ(f->area_bits_length, 2);
    EXPECT_EQ(f->AreaBit(1), 0x02);
    EXPECT_EQ(doc->BlockAt(2)->MessageCount(), 3u);
}

TEST(ServerData, NewerProtocolIsReportedAndDecodingGoesOn) {
    ShownMessages shown;
    auto doc = DecodedDoc(fx::DemoFileWriter()
                              .Block({ServerDataMsg(56)})
                              .Block({ServerDataMsg(57)})
                              .Block({Msg::Raw({0xFE, 0xFE, 0x01})})
                              .ToBytes());
    // Once, however many serverdata follow.
    ASSERT_EQ(
        std::count_if(shown.texts().begin(), shown.texts().end(),
                      [](const std::string& t) { return t.find("protocol") != std::string::npos; }),
        1);
    EXPECT_EQ(shown.texts()[0], UnknownProtocolText(56));
    EXPECT_NE(shown.texts()[0].find("protocol 56"), std::string::npos);
    EXPECT_EQ(doc->blockCount, 3u);
    // The later serverdata is taken for misread bytes: the demo stays known by its first.
    EXPECT_TRUE(doc->unsupportedProtocol);
    EXPECT_EQ(doc->protocolVersion, 56);
    ASSERT_FALSE(doc->Problems().empty());
    EXPECT_EQ(doc->Problems()[0].block, 1u);
    EXPECT_EQ(doc->Problems()[0].text, UnsupportedProtocolProblem(56));
    for (const DecodeProblem& p : doc->Problems()) {
        EXPECT_EQ(p.text.find("57"), std::string::npos) << p.text;
    }
}

TEST(ServerData, OnlyTheGameProtocolsFrom26To34AreUnderstood) {
    for (int protocol : {-1, 0, 25, 26, 30, 34, 35, 36, 56}) {
        SCOPED_TRACE(protocol);
        ShownMessages shown;
        auto doc = DecodedDoc(fx::DemoFileWriter().Block({ServerDataMsg(protocol)}).ToBytes());
        const bool understood = protocol >= 26 && protocol <= 34;
        EXPECT_EQ(ProtocolUnderstood(protocol), understood);
        EXPECT_EQ(doc->unsupportedProtocol, !understood);
        EXPECT_EQ(doc->Problems().empty(), understood);
        EXPECT_EQ(doc->protocolVersion, protocol);
        // The warning shows the number the serverdata holds; older ones are converted.
        if (!understood) {
            EXPECT_EQ(shown.texts(), std::vector<std::string>{UnknownProtocolText(protocol)});
        } else if (protocol < 30) {
            EXPECT_EQ(shown.texts(), std::vector<std::string>{kOldProtocolText});
        } else {
            EXPECT_TRUE(shown.texts().empty());
        }
    }
}

TEST(SignonRouting, TablesKeepPositionsAndRepeatsReplace) {
    Bytes file =
        fx::DemoFileWriter()
            .Block(
                {ServerDataMsg(), Msg::ConfigString(0, "Level"), Msg::ConfigString(5, "0 status"),
                 Msg::ConfigString(30, "12"), Msg::ConfigString(33, "maps/a.bsp"),
                 Msg::ConfigString(35, "models/c.md2"), Msg::ConfigString(1312, "old\\male/grunt"),
                 Msg::ConfigString(1312, "new\\female/athena"), Msg::ConfigString(1568, "general")})
            .ToBytes();
    auto doc = DecodedDoc(file);
    EXPECT_EQ(doc->levelName, "Level");
    EXPECT_EQ(doc->maxClients, 12);
    EXPECT_EQ(doc->modelTable.Count(), 3);
    EXPECT_EQ(doc->modelTable.Entry(1), "");
    EXPECT_EQ(doc->modelTable.Entry(2), "models/c.md2");
    EXPECT_EQ(doc->skinTable.Count(), 1);
    EXPECT_EQ(doc->skinTable.Entry(0), "new\\female/athena");
    auto* general = MessageCast<ConfigStringMessage>(doc->FirstBlock()->LastMessage());
    EXPECT_FALSE(general->signon);
    EXPECT_TRUE(MessageCast<ConfigStringMessage>(doc->FirstBlock()->MessageAt(2))->signon);
}

TEST(SignonRouting, StatusBarProgramRunsOnAcrossSlots) {
    std::string program(150, 's');
    program[0] = '7'; // its leading number sets max clients until configstring 30 comes
    Bytes file = fx::DemoFileWriter()
                     .Block({ServerDataMsg(), Msg::ConfigString(5, program),
                             Msg::ConfigString(6, program.substr(64)),
                             Msg::ConfigString(7, program.substr(128))})
                     .ToBytes();
    auto doc = DecodedDoc(file);
    EXPECT_EQ(doc->maxClients, 7);
    EXPECT_EQ(doc->statusBarTable.Entry(0), program);
    EXPECT_EQ(doc->statusBarTable.Entry(2), program.substr(128));
    EXPECT_EQ(doc->statusBarTable.Count(), 3);
}

} // namespace
