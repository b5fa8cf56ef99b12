// The edit pages: what each shows of a record, the unit conversions both ways, validation and
// which fields go back.
#include "scripted_ui.h"

#include "demo/tresk_doc.h"
#include "editor/pages/page_set.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

template <class T> T* Make(MessagePtr& holder, uint8_t type) {
    holder = NewMessage(type);
    return MessageCast<T>(holder.get());
}

// A bitwise snapshot of a plain state, to tell whether a page changed anything.
template <class T> struct Snapshot {
    explicit Snapshot(const T& value) { std::memcpy(bytes, &value, sizeof(T)); }
    bool Same(const T& value) const { return std::memcmp(bytes, &value, sizeof(T)) == 0; }
    unsigned char bytes[sizeof(T)];
};

class PageTest : public ::testing::Test {
  protected:
    PageTest() {
        doc.modelTable.Set(0, "maps/q2dm1.bsp");
        doc.modelTable.Set(1, "models/items/armor/body/tris.md2");
        doc.soundTable.Set(0, "world/ambient.wav");
        doc.soundTable.Set(4, "weapons/rocklx1a.wav");
        doc.itemTable.Set(0, "Body Armor");
        doc.itemTable.Set(2, "Blaster");
    }
    MessagePage& PageOf(uint8_t type) {
        MessagePage* page = pages.ForType(type);
        EXPECT_NE(page, nullptr) << int(type);
        return *page;
    }
    // Fills the page of the record's type and writes it straight back.
    MessagePage& ShowAndLeave(DemoMessage& record) {
        MessagePage& page = PageOf(record.type);
        page.Fill(record, doc);
        page.Apply(record, ui);
        return page;
    }
    std::vector<std::string> Labels(const MessagePage& page) {
        std::vector<std::string> labels;
        for (const PageField& f : page.Fields()) {
            if (!f.label.empty()) {
                labels.push_back(f.label);
            }
        }
        return labels;
    }

    CTreskDoc doc;
    MessagePageSet pages;
    ScriptedUi ui;
};

// --- which page serves which message ----------------------------------------------------------

TEST_F(PageTest, EveryMessageTypeHasItsPage) {
    const std::pair<uint8_t, int> expected[] = {
        {svc_bad, 184},
        {svc_nop, 184},
        {svc_disconnect, 184},
        {svc_reconnect, 184},
        {svc_muzzleflash, 193},
        {svc_muzzleflash2, 194},
        {svc_temp_entity, 167},
        {svc_layout, 195},
        {svc_inventory, 196},
        {svc_sound, 140},
        {svc_print, 142},
        {svc_stufftext, 142},
        {svc_centerprint, 155},
        {svc_serverdata, 198},
        {svc_configstring, 197},
        {svc_spawnbaseline, 166},
        {svc_packetentities, 199},
        {svc_playerinfo, 200},
        {svc_frame, 201},
    };
    for (auto [type, id] : expected) {
        EXPECT_EQ(PageOf(type).ResourceId(), id) << int(type);
    }
    // One page object per page: print and stufftext share theirs.
    EXPECT_EQ(pages.ForType(svc_print), pages.ForType(svc_stufftext));
    EXPECT_EQ(pages.ById(184), pages.ForType(svc_nop));
    for (uint8_t type :
         {uint8_t{svc_download}, uint8_t{svc_deltapacketentities}, uint8_t{21}, uint8_t{255}}) {
        EXPECT_EQ(pages.ForType(type), nullptr) << int(type);
    }
}

TEST_F(PageTest, PagesCarryTheirLabels) {
    EXPECT_EQ(Labels(PageOf(svc_nop)), (std::vector<std::string>{"NOTHING TO EDIT"}));
    EXPECT_EQ(Labels(PageOf(svc_sound)),
              (std::vector<std::string>{"Volume (0-255):", "Attenuation: (0-3)", "Channel (0-7):",
                                        "Entity Number:", "Soundnum:", "Time Offset: (ms)",
                                        "Origin (x,y,z):", "Filename:"}));
    EXPECT_EQ(Labels(PageOf(svc_temp_entity)),
              (std::vector<std::string>{"Entitytype:", "Entity:", "Origin:", "End Position:",
                                        "Count:", "Color:", "Sound:", "Move Direction:"}));
    EXPECT_EQ(Labels(PageOf(svc_frame)), (std::vector<std::string>{"Seq1:", "Seq2:", "Count:"}));
    EXPECT_EQ(
        Labels(PageOf(svc_serverdata)),
        (std::vector<std::string>{"Version:", "Key:", "IsDemo:", "Game:", "Player:", "Map Name:"}));
    std::vector<std::string> player = Labels(PageOf(svc_playerinfo));
    EXPECT_NE(std::find(player.begin(), player.end(), "Blend: [Red][Green][Blue][Intensity]"),
              player.end());
    ASSERT_EQ(PageOf(svc_sound).Buttons().size(), 1u);
    EXPECT_EQ(PageOf(svc_sound).Buttons()[0].label, "Auto-Origin");
    ASSERT_EQ(PageOf(svc_playerinfo).Buttons().size(), 1u);
    EXPECT_EQ(PageOf(svc_playerinfo).Buttons()[0].label, "Inventory");
}

// --- sound ---------------------------------------------------------------------------------------

TEST_F(PageTest, SoundShowsRawVolumeWholeAttenuationAndTheFileName) {
    MessagePtr holder;
    auto* s = Make<SoundMessage>(holder, svc_sound);
    s->soundnum = 5;
    s->volume = 200;
    s->attenuation = 130;
    s->channel = 2;
    s->entity = 8191;
    s->time_offset = 9;
    s->origin[0] = 100;
    s->origin[1] = -3;
    s->origin[2] = -32768;
    MessagePage& page = PageOf(svc_sound);
    page.Fill(*s, doc);
    EXPECT_EQ(page.Value("volume"), "200");
    EXPECT_EQ(page.Value("attenuation"), "2");
    EXPECT_EQ(page.Value("channel"), "2");
    EXPECT_EQ(page.Value("entity"), "8191");
    EXPECT_EQ(page.Value("soundnum"), "5");
    EXPECT_EQ(page.Value("time_offset"), "9");
    EXPECT_EQ(page.Value("origin.0"), "12.5");
    EXPECT_EQ(page.Value("origin.1"), "-0.375");
    EXPECT_EQ(page.Value("origin.2"), "-4096");
    EXPECT_EQ(page.Value("filename"), "weapons/rocklx1a.wav");
    EXPECT_TRUE(page.FindField("filename")->readOnly);
}

TEST_F(PageTest, SoundShownAndLeftLosesOnlyTheAttenuationRemainder) {
    MessagePtr holder;
    auto* s = Make<SoundMessage>(holder, svc_sound);
    s->flags = SND_ATTENUATION | SND_POS;
    s->soundnum = 1;
    s->attenuation = 100;
    s->origin[0] = 7;
    s->origin[2] = -9;
    ShowAndLeave(*s);
    EXPECT_EQ(s->attenuation, 64);
    EXPECT_EQ(s->origin[0], 7);
    EXPECT_EQ(s->origin[2], -9);
    EXPECT_EQ(s->volume, 0);
    EXPECT_EQ(s->flags, SND_ATTENUATION | SND_POS); // nothing else is sent now
    EXPECT_TRUE(ui.messages.empty());

    s->attenuation = 192;
    ShowAndLeave(*s);
    EXPECT_EQ(s->attenuation, 192);
}

TEST_F(PageTest, SoundEditsAreConvertedAndSentEvenAsZero) {
    MessagePtr holder;
    auto* s = Make<SoundMessage>(holder, svc_sound);
    s->flags = SND_VOLUME | SND_ENT;
    s->volume = 255;
    s->entity = 3;
    s->channel = 1;
    MessagePage& page = PageOf(svc_sound);
    page.Fill(*s, doc);
    page.SetValue("volume", "0");
    page.SetValue("attenuation", "3");
    page.SetValue("time_offset", "12");
    page.SetValue("origin.1", "-12.3");
    page.Apply(*s, ui);
    EXPECT_EQ(s->volume, 0);
    EXPECT_EQ(s->attenuation, 192);
    EXPECT_EQ(s->time_offset, 12);
    EXPECT_EQ(s->origin[1], -98); // -98.4 truncated toward zero
    EXPECT_EQ(s->flags, SND_VOLUME | SND_ENT | SND_ATTENUATION | SND_OFFSET | SND_POS);
}

TEST_F(PageTest, SoundRefusesValuesOutOfRangeAndKeepsTheOldOnes) {
    MessagePtr holder;
    auto* s = Make<SoundMessage>(holder, svc_sound);
    s->volume = 10;
    s->attenuation = 64;
    s->channel = 3;
    MessagePage& page = PageOf(svc_sound);
    page.Fill(*s, doc);
    page.SetValue("volume", "256");
    page.SetValue("attenuation", "4");
    page.SetValue("channel", "8");
    page.SetValue("entity", "8192");
    page.SetValue("origin.0", "4096");
    page.SetValue("soundnum", "abc");
    page.Apply(*s, ui);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{
                               "Please enter an integer between 0 and 255.",
                               "Please enter an integer between 0 and 3.",
                               "Please enter an integer between 0 and 7.",
                               "Please enter an integer between 0 and 8191.",
                               "Please enter an integer between 0 and 255.",
                               "Please enter a number between -4096 and 4095.875.",
                           }));
    EXPECT_EQ(s->volume, 10);
    EXPECT_EQ(s->attenuation, 64);
    EXPECT_EQ(s->channel, 3u);
    EXPECT_EQ(s->entity, 0u);
    EXPECT_EQ(s->origin[0], 0);
    EXPECT_EQ(s->flags, 0);
}

// --- Auto-Origin
// -----------------------------------------------------------------------------------

class AutoOriginTest : public PageTest {
  protected:
    AutoOriginTest() {
        block = new DemoBlock();
        doc.currentBlock = block;
        doc.blockCount = 1;
        MessagePtr holder = NewMessage(svc_sound);
        sound = MessageCast<SoundMessage>(holder.get());
        sound->origin[0] = 1;
        block->AppendMessage(std::move(holder));
        PageOf(svc_sound).Fill(*sound, doc);
    }
    ~AutoOriginTest() override {
        ui.ExpectAllAnswersUsed();
        DeleteBlockChain(doc.FirstBlock());
        doc.currentBlock = nullptr;
    }
    void AddEntity(uint16_t number, int16_t x, int16_t y, int16_t z) {
        MessagePtr m = NewMessage(svc_packetentities);
        EntityState& s = MessageCast<EntityMessage>(m.get())->state;
        s.number = number;
        s.origin[0] = x;
        s.origin[1] = y;
        s.origin[2] = z;
        block->AppendMessage(std::move(m));
    }
    bool Press() {
        PageContext context{doc, ui};
        return PageOf(svc_sound).PressButton("auto_origin", context);
    }
    std::string Origin() {
        MessagePage& p = PageOf(svc_sound);
        return p.Value("origin.0") + " " + p.Value("origin.1") + " " + p.Value("origin.2");
    }

    DemoBlock* block;
    SoundMessage* sound;
};

TEST_F(AutoOriginTest, MatchesTheCameraOrigin) {
    MessagePtr m = NewMessage(svc_playerinfo);
    PlayerState& ps = MessageCast<PlayerInfoMessage>(m.get())->state;
    ps.origin[0] = 80;
    ps.origin[1] = -4;
    ps.origin[2] = 3;
    block->AppendMessage(std::move(m));
    PageOf(svc_sound).SetValue("volume", "77"); // typed before pressing: kept
    ui.AnswerAsk(true);
    EXPECT_TRUE(Press());
    EXPECT_EQ(ui.transcript, (std::vector<std::string>{
                                 "ask: Match sound origin to camera origin?",
                                 "message: Successful.",
                             }));
    EXPECT_EQ(Origin(), "10 -0.5 0.375");
    EXPECT_EQ(PageOf(svc_sound).Value("volume"), "77");
    EXPECT_EQ(sound->origin[0], 1); // the record changes only when the page is written back
    PageOf(svc_sound).Apply(*sound, ui);
    EXPECT_EQ(sound->origin[0], 80);
    EXPECT_EQ(sound->origin[1], -4);
    EXPECT_EQ(sound->volume, 77);
}

TEST_F(AutoOriginTest, WithoutAPlayerInfoTheTaskFails) {
    ui.AnswerAsk(true);
    EXPECT_FALSE(Press());
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Error! Task was not completed."}));
    EXPECT_EQ(Origin(), "0.125 0 0");
}

TEST_F(AutoOriginTest, MatchesANamedEntity) {
    AddEntity(3, 8, 8, 8);
    AddEntity(12, -16, 24, 800);
    PageOf(svc_sound).SetValue("attenuation", "3");
    ui.AnswerAsk(false);
    ui.AnswerNumber(12);
    EXPECT_TRUE(Press());
    EXPECT_EQ(ui.transcript,
              (std::vector<std::string>{
                  "ask: Match sound origin to camera origin?",
                  "message: Alright then!  Give me the entity # (use visible entities list).",
                  "number: 0",
                  "message: Successful.",
              }));
    EXPECT_EQ(Origin(), "-2 3 100");
    EXPECT_EQ(PageOf(svc_sound).Value("entity"), "12");
    EXPECT_EQ(PageOf(svc_sound).Value("attenuation"), "1");
}

TEST_F(AutoOriginTest, AnEntityThatIsNotThereOrNumberZeroFails) {
    AddEntity(0, 8, 8, 8);
    for (uint32_t number : {0u, 5u}) {
        ui.AnswerAsk(false);
        ui.AnswerNumber(number);
        EXPECT_FALSE(Press());
        EXPECT_EQ(ui.messages.back(), "Error!  Couldn't find matching entity.") << number;
    }
    EXPECT_EQ(Origin(), "0.125 0 0");
    ui.AnswerAsk(false);
    ui.CancelNumber();
    EXPECT_FALSE(Press());
    EXPECT_EQ(ui.messages.back(),
              "Alright then!  Give me the entity # (use visible entities list).");
}

TEST_F(AutoOriginTest, ABlockWithoutMessagesFindsNoEntity) {
    block->ClearMessages();
    ui.AnswerAsk(false);
    ui.AnswerNumber(1);
    EXPECT_FALSE(Press());
    EXPECT_EQ(ui.messages.back(), "Error!  Couldn't find matching entity.");
}

// --- text pages
// ------------------------------------------------------------------------------------

TEST_F(PageTest, AStufftextKeepsThePrintLevelShownBeforeAndIsNotChangedByIt) {
    MessagePtr printHolder, stuffHolder;
    auto* print = Make<PrintMessage>(printHolder, svc_print);
    print->level = 3;
    print->text = "Player died";
    auto* stuff = Make<TextMessage>(stuffHolder, svc_stufftext);
    stuff->text = "play world/x.wav\n";
    MessagePage& page = PageOf(svc_print);
    page.Fill(*print, doc);
    page.Fill(*stuff, doc);
    EXPECT_EQ(page.Value("text"), "play world/x.wav\n");
    EXPECT_EQ(page.Value("type"), "3");
    page.SetValue("type", "1");
    page.Apply(*stuff, ui);
    EXPECT_EQ(stuff->text, "play world/x.wav\n");

    page.Fill(*print, doc);
    page.SetValue("type", "2");
    page.SetValue("text", "edited");
    page.Apply(*print, ui);
    EXPECT_EQ(print->level, 2);
    EXPECT_EQ(print->text, "edited");
}

TEST_F(PageTest, TextsLongerThan2047CharactersAreRefused) {
    MessagePtr holder;
    auto* print = Make<PrintMessage>(holder, svc_print);
    print->text = "old";
    MessagePage& page = PageOf(svc_print);
    page.Fill(*print, doc);
    page.SetValue("text", std::string(2048, 'x'));
    page.Apply(*print, ui);
    EXPECT_EQ(print->text, "old");
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{"Please enter no more than 2047 characters."}));
    page.SetValue("text", std::string(2047, 'x'));
    page.Apply(*print, ui);
    EXPECT_EQ(print->text.size(), 2047u);
}

TEST_F(PageTest, LayoutCenterprintAndConfigstringWriteTheirTexts) {
    MessagePtr a, b, c;
    auto* layout = Make<TextMessage>(a, svc_layout);
    auto* center = Make<TextMessage>(b, svc_centerprint);
    auto* cs = Make<ConfigStringMessage>(c, svc_configstring);
    cs->index = 900;
    cs->value = "mmnmmommommnonmmonqnmmo";
    for (DemoMessage* m : {static_cast<DemoMessage*>(layout), static_cast<DemoMessage*>(center)}) {
        MessagePage& page = PageOf(m->type);
        page.Fill(*m, doc);
        page.SetValue("text", "xv 32 yv 8 picn help");
        page.Apply(*m, ui);
        EXPECT_EQ(static_cast<TextMessage*>(m)->text, "xv 32 yv 8 picn help");
    }
    MessagePage& page = PageOf(svc_configstring);
    page.Fill(*cs, doc);
    EXPECT_EQ(page.Value("index"), "900");
    page.SetValue("index", "901");
    page.SetValue("value", "a");
    page.Apply(*cs, ui);
    EXPECT_EQ(cs->index, 901);
    EXPECT_EQ(cs->value, "a");
}

// --- small pages
// -----------------------------------------------------------------------------------

TEST_F(PageTest, MuzzleFlashFrameAndServerDataWriteEveryField) {
    MessagePtr a, b, c;
    auto* flash = Make<MuzzleFlashMessage>(a, svc_muzzleflash2);
    auto* frame = Make<FrameMessage>(b, svc_frame);
    auto* sd = Make<ServerDataMessage>(c, svc_serverdata);
    MessagePage& flashPage = PageOf(svc_muzzleflash2);
    flashPage.Fill(*flash, doc);
    flashPage.SetValue("entity", "65535");
    flashPage.SetValue("effect", "211");
    flashPage.Apply(*flash, ui);
    EXPECT_EQ(flash->entity, 65535);
    EXPECT_EQ(flash->weapon, 211);
    // The muzzleflash page does not serve muzzleflash2 records.
    PageOf(svc_muzzleflash).Apply(*flash, ui);
    EXPECT_EQ(flash->entity, 65535);

    MessagePage& framePage = PageOf(svc_frame);
    framePage.Fill(*frame, doc);
    framePage.SetValue("server_frame", "-5");
    framePage.SetValue("delta_frame", "2147483647");
    framePage.SetValue("area_bits_length", "4");
    framePage.Apply(*frame, ui);
    EXPECT_EQ(frame->server_frame, -5);
    EXPECT_EQ(frame->delta_frame, 2147483647);
    EXPECT_EQ(frame->area_bits_length, 4);

    MessagePage& sdPage = PageOf(svc_serverdata);
    sdPage.Fill(*sd, doc);
    sdPage.SetValue("protocol", "34");
    sdPage.SetValue("server_count", "4294967295");
    sdPage.SetValue("attract_loop", "1");
    sdPage.SetValue("game_dir", "ctf");
    sdPage.SetValue("player_number", "-1");
    sdPage.SetValue("level_name", "The Edge");
    sdPage.Apply(*sd, ui);
    EXPECT_EQ(sd->protocol, 34);
    EXPECT_EQ(sd->server_count, 4294967295u);
    EXPECT_EQ(sd->attract_loop, 1);
    EXPECT_EQ(sd->game_dir, "ctf");
    EXPECT_EQ(sd->player_number, -1);
    EXPECT_EQ(sd->level_name, "The Edge");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PageTest, TheNothingPageWritesNothing) {
    MessagePtr holder = NewMessage(svc_nop);
    MessagePage& page = ShowAndLeave(*holder);
    ASSERT_EQ(page.Fields().size(), 1u);
    EXPECT_EQ(page.Fields()[0].kind, PageFieldKind::Static);
    EXPECT_EQ(holder->type, svc_nop);
}

// --- temp entity
// -----------------------------------------------------------------------------------

TEST_F(PageTest, ChangingATempEntitySubtypeWritesTheNewSubtypesFields) {
    MessagePtr holder;
    auto* te = Make<TempEntityMessage>(holder, svc_temp_entity);
    te->subtype = 5;
    te->position[0] = 80;
    MessagePage& page = PageOf(svc_temp_entity);
    page.Fill(*te, doc);
    EXPECT_EQ(page.Value("subtype"), "5");
    page.SetValue("subtype", "3");
    page.SetValue("end_position.0", "1.5");
    page.SetValue("end_position.2", "-2");
    page.SetValue("count", "9"); // not a field of subtype 3
    page.Apply(*te, ui);
    EXPECT_EQ(te->subtype, 3);
    EXPECT_EQ(te->position[0], 80);
    EXPECT_EQ(te->end_position[0], 12);
    EXPECT_EQ(te->end_position[2], -16);
    EXPECT_EQ(te->count, 0);

    // The same edit on subtype 5 leaves the end position alone.
    te->subtype = 5;
    te->end_position[0] = 0;
    page.Fill(*te, doc);
    page.SetValue("end_position.0", "1.5");
    page.Apply(*te, ui);
    EXPECT_EQ(te->end_position[0], 0);
}

TEST_F(PageTest, TempEntitySubtypesWriteTheirOwnFields) {
    struct Case {
        uint8_t subtype;
        bool count, entity, end, direction, splash, sparks;
    };
    const Case cases[] = {
        {0, false, false, false, true, false, false},
        {7, false, false, false, false, false, false},
        {11, false, false, true, false, false, false},
        {10, true, true, true, true, true, false},
        {15, true, true, true, true, false, true},
        {19, false, true, true, false, false, false},
        {23, false, false, true, false, false, false},
        {24, false, true, true, false, false, false},
        {25, true, false, false, true, false, true},
        {26, false, false, false, true, false, false}, // blood from protocol 32 on
        {29, true, false, false, true, false, true},
        {36, false, true, false, false, false, false},
    };
    doc.protocolVersion = 34;
    for (const Case& c : cases) {
        MessagePtr holder;
        auto* te = Make<TempEntityMessage>(holder, svc_temp_entity);
        te->subtype = c.subtype;
        MessagePage& page = PageOf(svc_temp_entity);
        page.Fill(*te, doc);
        page.SetValue("position.1", "1");
        page.SetValue("count", "2");
        page.SetValue("entity", "3");
        page.SetValue("end_position.1", "4");
        page.SetValue("direction.0", "5");
        page.SetValue("splash_color", "6");
        page.SetValue("sparks_color", "7");
        page.Apply(*te, ui);
        int s = c.subtype;
        EXPECT_EQ(te->position[1], 8) << s;
        EXPECT_EQ(te->count, c.count ? 2 : 0) << s;
        EXPECT_EQ(te->entity, c.entity ? 3 : 0) << s;
        EXPECT_EQ(te->end_position[1], c.end ? 32 : 0) << s;
        EXPECT_EQ(te->direction, c.direction ? 5 : 0) << s;
        EXPECT_EQ(te->splash_color, c.splash ? 6 : 0) << s;
        EXPECT_EQ(te->sparks_color, c.sparks ? 7 : 0) << s;
    }
}

TEST_F(PageTest, AnUnknownTempEntitySubtypeIsRefusedButOneShownIsKept) {
    MessagePtr holder;
    auto* te = Make<TempEntityMessage>(holder, svc_temp_entity);
    te->subtype = 31; // as decoded from a damaged demo
    ShowAndLeave(*te);
    EXPECT_EQ(te->subtype, 31);
    EXPECT_TRUE(ui.messages.empty());
    te->subtype = 2;
    MessagePage& page = PageOf(svc_temp_entity);
    page.Fill(*te, doc);
    page.SetValue("subtype", "31"); // a number the game never gave an effect
    page.Apply(*te, ui);
    EXPECT_EQ(te->subtype, 2);
    page.Fill(*te, doc);
    page.SetValue("subtype", "60");
    page.Apply(*te, ui);
    EXPECT_EQ(te->subtype, 2);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{"Error, default case in a svc_temp_entity",
                                                     "Please enter an integer between 0 and 55."}));

    // Under an older protocol 26 was a trail from a position to another.
    doc.protocolVersion = 28;
    te->subtype = 26;
    page.Fill(*te, doc);
    page.SetValue("end_position.0", "2");
    page.SetValue("direction.0", "9");
    page.Apply(*te, ui);
    EXPECT_EQ(te->end_position[0], 16);
    EXPECT_EQ(te->direction, 0);
}

// --- entity pages
// ----------------------------------------------------------------------------------

EntityState SampleEntity() {
    EntityState s{};
    s.number = 37;
    s.modelindex = 2;
    s.modelindex2 = 255;
    s.frame = kFrameNotSent;
    s.skinnum = 0x12345678;
    s.effects = 0x8000;
    s.renderfx = 0x400;
    s.origin[0] = -1;
    s.origin[1] = 32767;
    s.origin[2] = -32768;
    s.old_origin[0] = 5;
    s.angles[0] = 0;
    s.angles[1] = 64;
    s.angles[2] = 255;
    s.sound = 4;
    s.event = 1;
    s.solid = 0xFFFF;
    return s;
}

TEST_F(PageTest, ABaselineShowsDegreesAndSurvivesShowAndLeave) {
    MessagePtr holder;
    auto* m = Make<EntityMessage>(holder, svc_spawnbaseline);
    m->state = SampleEntity();
    const Snapshot<EntityState> before(m->state);
    MessagePage& page = PageOf(svc_spawnbaseline);
    page.Fill(*m, doc);
    EXPECT_EQ(page.Value("frame"), "255");
    EXPECT_EQ(page.Value("angles.1"), "90");
    EXPECT_EQ(page.Value("angles.2"), "358.59375");
    EXPECT_EQ(page.Value("origin.1"), "4095.875");
    EXPECT_EQ(page.Value("skinnum"), "305419896");
    EXPECT_EQ(page.Value("filename"), "models/items/armor/body/tris.md2");
    page.Apply(*m, ui);
    EXPECT_TRUE(before.Same(m->state));
    EXPECT_EQ(m->state.frame, kFrameNotSent);
    EXPECT_TRUE(ui.messages.empty());

    // A 16-bit frame keeps its high bits too.
    m->state.frame = 300;
    ShowAndLeave(*m);
    EXPECT_EQ(m->state.frame, 300u);
}

TEST_F(PageTest, BaselineEditsAreWrittenBack) {
    MessagePtr holder;
    auto* m = Make<EntityMessage>(holder, svc_spawnbaseline);
    m->state = SampleEntity();
    MessagePage& page = PageOf(svc_spawnbaseline);
    page.Fill(*m, doc);
    page.SetValue("frame", "12");
    page.SetValue("angles.0", "359");
    page.SetValue("angles.1", "1");
    page.SetValue("angles.2", "360");
    page.SetValue("origin.0", "-10.5");
    page.SetValue("old_origin.2", "2");
    page.SetValue("number", "1024");
    page.SetValue("solid", "31");
    page.Apply(*m, ui);
    EXPECT_EQ(m->state.frame, 12u);
    EXPECT_EQ(m->state.angles[0], 255);
    EXPECT_EQ(m->state.angles[1], 1);
    EXPECT_EQ(m->state.angles[2], 255); // refused, kept
    EXPECT_EQ(m->state.origin[0], -84);
    EXPECT_EQ(m->state.old_origin[2], 16);
    EXPECT_EQ(m->state.number, 37); // refused, kept
    EXPECT_EQ(m->state.solid, 31);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{
                               "Please enter an integer between 0 and 1023.",
                               "Please enter a number between 0 and 359.",
                           }));
}

TEST_F(PageTest, APacketEntityWritesBackOnlyItsModelsAndTheRemoveFlag) {
    MessagePtr holder;
    auto* m = Make<EntityMessage>(holder, svc_packetentities);
    m->state = SampleEntity();
    m->state.frame = 3;
    MessagePage& page = PageOf(svc_packetentities);
    page.Fill(*m, doc);
    EXPECT_EQ(page.Value("angles.1"), "90");
    EXPECT_EQ(page.Value("remove"), "0");
    EXPECT_TRUE(page.FindField("origin.0")->readOnly);
    EXPECT_FALSE(page.FindField("modelindex3")->readOnly);
    page.SetValue("origin.0", "100");
    page.SetValue("frame", "9");
    page.SetValue("angles.0", "45");
    page.SetValue("modelindex1", "1");
    page.SetValue("modelindex3", "7");
    page.SetValue("remove", "1");
    page.Apply(*m, ui);
    EXPECT_EQ(m->state.origin[0], -1);
    EXPECT_EQ(m->state.frame, 3u);
    EXPECT_EQ(m->state.angles[0], 0);
    EXPECT_EQ(m->state.modelindex, 1);
    EXPECT_EQ(m->state.modelindex3, 7);
    EXPECT_EQ(m->state.remove, 1);

    // The same origin edit in a baseline takes.
    m->type = svc_spawnbaseline;
    MessagePage& baseline = PageOf(svc_spawnbaseline);
    baseline.Fill(*m, doc);
    baseline.SetValue("origin.0", "100");
    baseline.Apply(*m, ui);
    EXPECT_EQ(m->state.origin[0], 800);
}

TEST_F(PageTest, APlayerModelIndexIsNotLookedUpForAPacketEntity) {
    for (int i = 0; i < 255; ++i) {
        doc.modelTable.Set(i, "models/m" + std::to_string(i + 1));
    }
    MessagePtr holder;
    auto* m = Make<EntityMessage>(holder, svc_packetentities);
    m->state.modelindex = 255;
    MessagePage& page = PageOf(svc_packetentities);
    page.Fill(*m, doc);
    EXPECT_EQ(page.Value("filename"), "");
    m->state.modelindex = 254;
    page.Fill(*m, doc);
    EXPECT_EQ(page.Value("filename"), "models/m254");
}

// --- player info
// -----------------------------------------------------------------------------------

PlayerState SamplePlayer() {
    PlayerState s{};
    s.pm_type = 2;
    s.origin[0] = 12345;
    s.velocity[1] = -300;
    s.gravity = 800;
    s.delta_angles[2] = -5000;
    s.viewoffset[2] = -128;
    s.viewangles[0] = -1;
    s.viewangles[1] = 16384;
    s.viewangles[2] = -32768;
    s.kick_angles[0] = -1;
    s.kick_angles[1] = 127;
    s.kick_angles[2] = -128;
    s.gunindex = 3;
    s.gunframe = 40;
    s.gunoffset[0] = -3;
    s.gunangles[2] = 5;
    s.blend[0] = 255;
    s.blend[1] = 100;
    s.blend[2] = 1;
    s.blend[3] = 0;
    s.fov = 90;
    s.rdflags = 2;
    for (int16_t& stat : s.stats) {
        stat = -1;
    }
    SetStat(s, 1, 100);
    return s;
}

TEST_F(PageTest, PlayerInfoShowsSignedQuartersAndDegrees) {
    MessagePtr holder;
    auto* m = Make<PlayerInfoMessage>(holder, svc_playerinfo);
    m->state = SamplePlayer();
    MessagePage& page = PageOf(svc_playerinfo);
    page.Fill(*m, doc);
    EXPECT_EQ(page.Value("kick_angles.0"), "-0.25");
    EXPECT_EQ(page.Value("kick_angles.1"), "31.75");
    EXPECT_EQ(page.Value("kick_angles.2"), "-32");
    EXPECT_EQ(page.Value("viewoffset.2"), "-32");
    EXPECT_EQ(page.Value("gunoffset.0"), "-0.75");
    EXPECT_EQ(page.Value("viewangles.0"), "-0.0054931640625");
    EXPECT_EQ(page.Value("viewangles.1"), "90");
    EXPECT_EQ(page.Value("viewangles.2"), "-180");
    EXPECT_EQ(page.Value("origin.0"), "1543.125");
    EXPECT_EQ(page.Value("velocity.1"), "-300");
    EXPECT_EQ(page.Value("delta_angles.2"), "-27.4658203125");
    EXPECT_EQ(page.Value("blend.0"), "1");
    EXPECT_EQ(page.Value("blend.3"), "0");
    EXPECT_EQ(page.Value("stat.1"), "100");
    EXPECT_EQ(page.Value("stat.2"), "-1");
    EXPECT_TRUE(page.FindField("stat.1")->readOnly);
}

TEST_F(PageTest, PlayerInfoSurvivesShowAndLeave) {
    MessagePtr holder;
    auto* m = Make<PlayerInfoMessage>(holder, svc_playerinfo);
    m->state = SamplePlayer();
    const Snapshot<PlayerState> before(m->state);
    ShowAndLeave(*m);
    EXPECT_TRUE(before.Same(m->state));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PageTest, PlayerInfoConversionsBackIntoTheRecord) {
    MessagePtr holder;
    auto* m = Make<PlayerInfoMessage>(holder, svc_playerinfo);
    m->state = SamplePlayer();
    MessagePage& page = PageOf(svc_playerinfo);
    page.Fill(*m, doc);
    page.SetValue("kick_angles.0", "-0.5");
    page.SetValue("kick_angles.1", "-0.3"); // truncated toward zero: -1.2 -> -1
    page.SetValue("viewoffset.0", "22");
    page.SetValue("gunangles.1", "-31.75");
    page.SetValue("viewangles.0", "-90");
    page.SetValue("viewangles.1", "270"); // the same as -90
    page.SetValue("delta_angles.0", "90");
    page.SetValue("delta_angles.1", "-27.4658203125"); // exactly -5000 units
    page.SetValue("delta_angles.2", "0.003");          // the nearest unit, not truncated
    page.SetValue("blend.3", "0.5");
    page.SetValue("origin.2", "-0.125");
    page.SetValue("fov", "120");
    page.SetValue("stat.1", "5"); // stats are not written back
    page.Apply(*m, ui);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(m->state.kick_angles[0], -2);
    EXPECT_EQ(m->state.kick_angles[1], -1);
    EXPECT_EQ(m->state.viewoffset[0], 88);
    EXPECT_EQ(m->state.gunangles[1], -127);
    EXPECT_EQ(m->state.viewangles[0], -16384);
    EXPECT_EQ(m->state.viewangles[1], -16384);
    EXPECT_EQ(m->state.delta_angles[0], 16384);
    EXPECT_EQ(m->state.delta_angles[1], -5000);
    EXPECT_EQ(m->state.delta_angles[2], 1);
    EXPECT_FLOAT_EQ(m->state.blend[3], 127.5f);
    EXPECT_EQ(m->state.origin[2], -1);
    EXPECT_EQ(m->state.fov, 120);
    EXPECT_EQ(m->state.stats[1], 100);
}

TEST_F(PageTest, PlayerInfoRefusesWhatASignedByteCannotCarry) {
    MessagePtr holder;
    auto* m = Make<PlayerInfoMessage>(holder, svc_playerinfo);
    m->state = SamplePlayer();
    MessagePage& page = PageOf(svc_playerinfo);
    page.Fill(*m, doc);
    page.SetValue("kick_angles.0", "32");
    page.SetValue("gunoffset.2", "-32.25");
    page.SetValue("blend.0", "1.5");
    page.SetValue("viewangles.2", "361");
    const Snapshot<PlayerState> before(m->state);
    page.Apply(*m, ui);
    EXPECT_EQ(ui.messages, (std::vector<std::string>{
                               "Please enter a number between -360 and 360.",
                               "Please enter a number between -32 and 31.75.",
                               "Please enter a number between -32 and 31.75.",
                               "Please enter a number between 0 and 1.",
                           }));
    EXPECT_TRUE(before.Same(m->state));
}

TEST_F(PageTest, EveryBlendComponentComesBackWhole) {
    MessagePtr holder;
    auto* m = Make<PlayerInfoMessage>(holder, svc_playerinfo);
    MessagePage& page = PageOf(svc_playerinfo);
    for (int raw = 0; raw <= 255; ++raw) {
        m->state.blend[0] = static_cast<float>(raw);
        page.Fill(*m, doc);
        // Typed again as shown (the field counts as edited): still the same component.
        std::string shown = page.Value("blend.0");
        page.SetValue("blend.0", shown + " ");
        page.Apply(*m, ui);
        EXPECT_EQ(static_cast<int>(m->state.blend[0]), raw) << shown;
    }
}

TEST_F(PageTest, EveryViewAngleComesBackExactlyWhenTypedAsShown) {
    MessagePtr holder;
    auto* m = Make<PlayerInfoMessage>(holder, svc_playerinfo);
    MessagePage& page = PageOf(svc_playerinfo);
    for (int raw = -32768; raw <= 32767; raw += 7) {
        m->state.viewangles[0] = static_cast<int16_t>(raw);
        page.Fill(*m, doc);
        page.SetValue("viewangles.0", page.Value("viewangles.0") + " ");
        page.Apply(*m, ui);
        ASSERT_EQ(m->state.viewangles[0], raw);
    }
}

// --- inventory
// -------------------------------------------------------------------------------------

TEST_F(PageTest, TheInventoryListsNamedAndCountedItemsAndTakesEdits) {
    MessagePtr holder;
    auto* inv = Make<InventoryMessage>(holder, svc_inventory);
    inv->counts[1] = 100;
    inv->counts[7] = 2;
    MessagePage& page = PageOf(svc_inventory);
    page.Fill(*inv, doc);
    const PageField* list = page.FindField("items");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->label, "Inventory Items:");
    ASSERT_EQ(list->rows.size(), 3u);
    EXPECT_EQ(list->rows[0].label, "Body Armor");
    EXPECT_EQ(list->rows[0].value, "100");
    EXPECT_EQ(list->rows[1].label, "Blaster");
    EXPECT_EQ(list->rows[1].value, "0");
    EXPECT_EQ(list->rows[2].label, "#7");
    EXPECT_EQ(list->rows[2].value, "2");

    page.SetRowValue("items", "3", "1");
    page.SetRowValue("items", "7", "40000");
    page.Apply(*inv, ui);
    EXPECT_EQ(inv->counts[3], 1);
    EXPECT_EQ(inv->counts[7], 2);
    EXPECT_EQ(inv->counts[1], 100);
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{"Please enter an integer between -32768 and 32767."}));
}

// --- shared rules
// ----------------------------------------------------------------------------------

TEST_F(PageTest, NumbersMayCarryBlanksAndASignButNothingElse) {
    MessagePtr holder;
    auto* frame = Make<FrameMessage>(holder, svc_frame);
    MessagePage& page = PageOf(svc_frame);
    page.Fill(*frame, doc);
    page.SetValue("server_frame", " +12 ");
    page.SetValue("delta_frame", "1e3");
    page.SetValue("area_bits_length", "2.5");
    page.Apply(*frame, ui);
    EXPECT_EQ(frame->server_frame, 12);
    EXPECT_EQ(frame->delta_frame, 0);
    EXPECT_EQ(frame->area_bits_length, 0);
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(PageTest, APageLeavesRecordsOfOtherTypesAlone) {
    MessagePtr holder;
    auto* frame = Make<FrameMessage>(holder, svc_frame);
    frame->server_frame = 5;
    MessagePage& sound = PageOf(svc_sound);
    sound.Fill(*frame, doc);
    sound.SetValue("volume", "3");
    sound.Apply(*frame, ui);
    EXPECT_EQ(frame->server_frame, 5);
    EXPECT_TRUE(ui.messages.empty());
}

} // namespace
