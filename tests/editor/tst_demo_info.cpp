// Demo Info: the dialog's fields and lists come from the document, its Add, Del and Edit
// buttons ask and tell as they should and keep the tables sound at their edges, OK checks the
// numbers, and what it writes is one undoable edit that reaches the saved demo.
#include "view_fixture.h"

#include "demo/byte_sink.h"
#include "editor/command_ids.h"
#include "editor/demo_info_command.h"

#include <gtest/gtest.h>

using namespace edtest;

namespace {

const std::string kLongName(70, 'n');

// Block 1 with every value the dialog shows, then the blocks of a demo the game plays.
std::vector<Bytes> InfoDemo(int models = 3) {
    std::vector<Bytes> blocks = PlayDemo(20, 6);
    fx::ServerData sd;
    sd.playerNum = 2;
    sd.levelName = "The Edge";
    std::vector<Bytes> block1 = {
        fx::Msg::ServerData(sd),
        fx::Msg::ConfigString(CS_NAME, "q2dm1"),
        fx::Msg::ConfigString(CS_CDTRACK, "7"),
        fx::Msg::ConfigString(CS_SKY, "unit1_"),
        fx::Msg::ConfigString(CS_SKYAXIS, "0 0 1"),
        fx::Msg::ConfigString(CS_SKYROTATE, "2"),
        fx::Msg::ConfigString(CS_STATUSBAR, "yb -24"),
        fx::Msg::ConfigString(CS_MAXCLIENTS, "8"),
        fx::Msg::ConfigString(CS_MAPCHECKSUM, "12345"),
        fx::Msg::ConfigString(kSoundBase, "world/a.wav"),
        fx::Msg::ConfigString(kSoundBase + 1, "world/b.wav"),
        fx::Msg::ConfigString(kSoundBase + 2, "world/c.wav"),
        fx::Msg::ConfigString(kImageBase, "i_health"),
        fx::Msg::ConfigString(kItemBase, "Blaster"),
        fx::Msg::ConfigString(kSkinBase, "Player/male/grunt"),
        fx::Msg::ConfigString(kSkinBase + 1, "Other/female/athena"),
    };
    for (int m = 0; m < models; ++m) {
        block1.push_back(fx::Msg::ConfigString(kModelBase + m, "models/m" + std::to_string(m)));
    }
    Bytes payload;
    for (const Bytes& message : block1) {
        payload.insert(payload.end(), message.begin(), message.end());
    }
    blocks[0] = std::move(payload);
    return blocks;
}

class DemoInfoTest : public ViewTest {
  protected:
    void OpenInfo(int models = 3) { Open(InfoDemo(models)); }
    // The document a saved demo opens as.
    std::unique_ptr<CTreskDoc> Reopened() {
        auto again = LoadFile(Saved());
        again->DecodeAll();
        return again;
    }
    // Runs the command with the person doing `act` in the dialog and answering OK or Cancel.
    void RunDialog(std::function<bool(DemoInfoDlgData&)> act) {
        ui.demoInfoAnswers.push_back(std::move(act));
        EXPECT_TRUE(view->OnCommand(ID_VIEW_DEMO_INFO));
    }
    DemoInfoDlgData Data() const { return DemoInfoFromDocument(*doc); }
};

std::vector<std::string> IndexTexts(const DemoInfoDlgData& data, DemoInfoTable table) {
    std::vector<std::string> out;
    for (size_t r = 0; r < data.Names(table).size(); ++r) {
        out.push_back(DemoInfoIndexText(table, static_cast<int>(r)));
    }
    return out;
}

using Names = std::vector<std::string>;

TEST_F(DemoInfoTest, TheFieldsAndListsShowTheDocument) {
    OpenInfo();
    const DemoInfoDlgData data = Data();
    EXPECT_EQ(data.levelName, "q2dm1");
    EXPECT_EQ(data.mapName, "The Edge");
    EXPECT_EQ(data.mapChecksum, "12345");
    EXPECT_EQ(data.cdTrack, "7");
    EXPECT_EQ(data.protocolVersion, "34");
    EXPECT_EQ(data.maxClients, "8");
    EXPECT_EQ(data.playerNumber, "2");
    EXPECT_EQ(data.skyName, "unit1_");
    EXPECT_EQ(data.skyRotate, "2");
    EXPECT_EQ(data.skyAxis, "0 0 1");
    EXPECT_EQ(data.Names(DemoInfoTable::kModels), (Names{"models/m0", "models/m1", "models/m2"}));
    EXPECT_EQ(IndexTexts(data, DemoInfoTable::kModels), (Names{"1", "2", "3"}));
    EXPECT_EQ(IndexTexts(data, DemoInfoTable::kSounds), (Names{"1", "2", "3"}));
    EXPECT_EQ(data.Names(DemoInfoTable::kStatusBar), (Names{"yb -24"}));
    EXPECT_EQ(data.Names(DemoInfoTable::kImages), (Names{"i_health"}));
    EXPECT_EQ(IndexTexts(data, DemoInfoTable::kImages), (Names{"0"}));
    EXPECT_EQ(data.Names(DemoInfoTable::kItems), (Names{"Blaster"}));
    EXPECT_EQ(IndexTexts(data, DemoInfoTable::kSkins), (Names{"0", "1"}));
}

TEST_F(DemoInfoTest, AddAsksTakesANameAndConfirmsItsIndex) {
    OpenInfo();
    DemoInfoDlgData data = Data();
    ui.AnswerAsk(true);
    ui.AnswerText("models/new");
    EXPECT_TRUE(AddDemoInfoEntry(data, DemoInfoTable::kModels, ui));
    EXPECT_EQ(data.Names(DemoInfoTable::kModels).back(), "models/new");
    EXPECT_EQ(ui.transcript,
              (Names{"ask: WARNING: You are about to add a .MD2 file.  Make sure it exists!",
                     "text: Enter text:",
                     "message: Successfully added model models/new as modelindex 4."}));
    ui.Clear();
    ui.AnswerAsk(true);
    ui.AnswerText("world/d.wav");
    EXPECT_TRUE(AddDemoInfoEntry(data, DemoInfoTable::kSounds, ui));
    EXPECT_EQ(ui.messages, (Names{"Successfully added sound world/d.wav as modelindex 4."}));
    ui.Clear();
    ui.AnswerAsk(true);
    ui.AnswerText("New/male/major");
    EXPECT_TRUE(AddDemoInfoEntry(data, DemoInfoTable::kSkins, ui));
    EXPECT_EQ(ui.messages, (Names{"Successfully added skin New/male/major as modelindex 2."}));

    // No to the warning, Cancel in the text entry, and a table without buttons change nothing.
    const DemoInfoDlgData before = data;
    ui.AnswerAsk(false);
    EXPECT_FALSE(AddDemoInfoEntry(data, DemoInfoTable::kModels, ui));
    ui.AnswerAsk(true);
    ui.textAnswers.push_back(std::nullopt);
    EXPECT_FALSE(AddDemoInfoEntry(data, DemoInfoTable::kSounds, ui));
    EXPECT_FALSE(AddDemoInfoEntry(data, DemoInfoTable::kImages, ui));
    EXPECT_EQ(data.tables, before.tables);
}

TEST_F(DemoInfoTest, AddToAFullTableSaysSoAndNamesAreCutToTheirSlot) {
    OpenInfo(kTableSlots);
    DemoInfoDlgData data = Data();
    ASSERT_EQ(data.Names(DemoInfoTable::kModels).size(), 256u);
    EXPECT_FALSE(AddDemoInfoEntry(data, DemoInfoTable::kModels, ui));
    EXPECT_EQ(ui.transcript,
              (Names{"message: Can't add a model: all 256 model slots are in use."}));
    EXPECT_EQ(data.Names(DemoInfoTable::kModels).size(), 256u);

    ui.AnswerAsk(true);
    ui.AnswerText(kLongName);
    EXPECT_TRUE(AddDemoInfoEntry(data, DemoInfoTable::kSounds, ui));
    EXPECT_EQ(data.Names(DemoInfoTable::kSounds).back(), std::string(63, 'n'));
    ui.AnswerText(kLongName + "x");
    EXPECT_TRUE(EditDemoInfoSkin(data, 0, ui));
    EXPECT_EQ(data.Names(DemoInfoTable::kSkins)[0], std::string(63, 'n'));
}

TEST_F(DemoInfoTest, DelAsksWithTheRowAndMovesTheLaterSlotsDown) {
    OpenInfo();
    DemoInfoDlgData data = Data();
    ui.AnswerAsk(true);
    EXPECT_TRUE(DeleteDemoInfoEntry(data, DemoInfoTable::kModels, 0, ui));
    EXPECT_EQ(ui.transcript, (Names{"ask: Are you sure you want to delete models/m0 (0)?  This "
                                    "could disrupt all modelindex numbers!"}));
    EXPECT_EQ(data.Names(DemoInfoTable::kModels), (Names{"models/m1", "models/m2"}));
    EXPECT_EQ(IndexTexts(data, DemoInfoTable::kModels), (Names{"1", "2"}));
    ui.AnswerAsk(true);
    EXPECT_TRUE(DeleteDemoInfoEntry(data, DemoInfoTable::kSounds, 2, ui)); // the last row
    EXPECT_EQ(data.Names(DemoInfoTable::kSounds), (Names{"world/a.wav", "world/b.wav"}));
    ui.AnswerAsk(true);
    EXPECT_TRUE(DeleteDemoInfoEntry(data, DemoInfoTable::kSkins, 1, ui));
    EXPECT_EQ(ui.transcript.back(), "ask: Are you sure you want to delete Other/female/athena "
                                    "(1)?  This could disrupt all skinindex numbers!");

    // No selection, a row past the end and No change nothing; the first two ask nothing.
    ui.Clear();
    const DemoInfoDlgData before = data;
    EXPECT_FALSE(DeleteDemoInfoEntry(data, DemoInfoTable::kModels, -1, ui));
    EXPECT_FALSE(DeleteDemoInfoEntry(data, DemoInfoTable::kModels, 2, ui));
    EXPECT_TRUE(ui.transcript.empty());
    ui.AnswerAsk(false);
    EXPECT_FALSE(DeleteDemoInfoEntry(data, DemoInfoTable::kModels, 1, ui));
    EXPECT_EQ(data.tables, before.tables);
    // The last entry goes too, and a table emptied takes a new one at slot 0.
    for (int left = 2; left > 0; --left) {
        ui.AnswerAsk(true);
        EXPECT_TRUE(DeleteDemoInfoEntry(data, DemoInfoTable::kModels, 0, ui));
    }
    EXPECT_TRUE(data.Names(DemoInfoTable::kModels).empty());
    EXPECT_FALSE(DeleteDemoInfoEntry(data, DemoInfoTable::kModels, 0, ui));
}

TEST_F(DemoInfoTest, EditSkinExplainsTheFormatAndReplacesTheSelectedRow) {
    OpenInfo();
    DemoInfoDlgData data = Data();
    ui.textAnswers.push_back(std::nullopt);
    EXPECT_FALSE(EditDemoInfoSkin(data, 1, ui));
    ui.AnswerText("Other/female/venus");
    EXPECT_TRUE(EditDemoInfoSkin(data, 1, ui));
    EXPECT_EQ(data.Names(DemoInfoTable::kSkins),
              (Names{"Player/male/grunt", "Other/female/venus"}));
    EXPECT_EQ(ui.messages,
              (Names{"The skin format works like this:  'Player Name/skinname/modeldir'.",
                     "The skin format works like this:  'Player Name/skinname/modeldir'."}));
    ui.Clear();
    EXPECT_FALSE(EditDemoInfoSkin(data, -1, ui));
    EXPECT_FALSE(EditDemoInfoSkin(data, 2, ui));
    EXPECT_TRUE(ui.transcript.empty());
}

TEST_F(DemoInfoTest, OKNamesTheFieldWhoseNumberIsWrongOrTooWideForItsSlot) {
    OpenInfo();
    const DemoInfoDlgData good = Data();
    EXPECT_EQ(CheckDemoInfo(good).control, 0);
    struct Case {
        std::string DemoInfoDlgData::*field;
        std::string text;
        int control; // 0: accepted
    };
    const Case cases[] = {
        {&DemoInfoDlgData::protocolVersion, "abc", IDC_INFO_SERVER_VERSION},
        {&DemoInfoDlgData::protocolVersion, "2147483648", IDC_INFO_SERVER_VERSION},
        {&DemoInfoDlgData::protocolVersion, " -2147483648 ", 0},
        {&DemoInfoDlgData::maxClients, "65536", IDC_INFO_MAX_PLAYERS},
        {&DemoInfoDlgData::maxClients, "-1", IDC_INFO_MAX_PLAYERS},
        {&DemoInfoDlgData::maxClients, "65535", 0},
        {&DemoInfoDlgData::maxClients, "8x", IDC_INFO_MAX_PLAYERS},
        {&DemoInfoDlgData::playerNumber, "32768", IDC_INFO_PLAYER_NUMBER},
        {&DemoInfoDlgData::playerNumber, "", IDC_INFO_PLAYER_NUMBER},
        {&DemoInfoDlgData::playerNumber, "-1", 0},
        {&DemoInfoDlgData::levelName, std::string(64, 'm'), IDC_INFO_MAP_NAME},
        {&DemoInfoDlgData::levelName, std::string(63, 'm'), 0},
    };
    for (const Case& c : cases) {
        DemoInfoDlgData data = good;
        data.*c.field = c.text;
        EXPECT_EQ(CheckDemoInfo(data).control, c.control) << c.text;
    }
    DemoInfoDlgData data = good;
    data.maxClients = "65536";
    EXPECT_EQ(CheckDemoInfo(data).text,
              "Enter a whole number from 0 to 65535 for \"Max Players:\".");
    data = good;
    data.playerNumber = "40000";
    EXPECT_EQ(CheckDemoInfo(data).text, "Enter a whole number from -32768 to 32767 for "
                                        "\"Invisible Player (Entity # - 1):\".");
    data = good;
    data.levelName = std::string(64, 'm');
    EXPECT_EQ(CheckDemoInfo(data).text, "Enter no more than 63 characters for \"Map Name:\".");
}

TEST_F(DemoInfoTest, OKWithoutChangesChangesNothing) {
    OpenInfo();
    const Bytes before = Saved();
    RunDialog([](DemoInfoDlgData&) { return true; });
    EXPECT_EQ(doc->history.Count(), 0u);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(Saved() == before);
    RunDialog([](DemoInfoDlgData&) { return false; });
    EXPECT_EQ(doc->history.Count(), 0u);
}

TEST_F(DemoInfoTest, OKWritesTheTenFieldsIntoTheSavedDemoAsOneUndoableEdit) {
    OpenInfo();
    const Bytes before = Saved();
    RunDialog([](DemoInfoDlgData& d) {
        d.levelName = "q2dm2";
        d.mapName = "The Frag Pipe";
        d.mapChecksum = "999";
        d.cdTrack = std::string(40, '3'); // wider than the CD track's 31 characters
        d.protocolVersion = "34";
        d.maxClients = "300";
        d.playerNumber = "1";
        d.skyName = "space1";
        d.skyRotate = "5";
        d.skyAxis = "1 0 0";
        return true;
    });
    ASSERT_EQ(doc->history.Count(), 1u);
    EXPECT_EQ(doc->history.UndoLabel(), "Edit demo information");
    EXPECT_EQ(ui.statuses.back(), "Edit demo information");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->cdTrack, std::string(31, '3'));

    const auto again = Reopened();
    EXPECT_EQ(again->levelName, "q2dm2");
    EXPECT_EQ(again->mapName, "The Frag Pipe"); // the serverdata carries it
    EXPECT_EQ(again->mapChecksum, "999");
    EXPECT_EQ(again->cdTrack, std::string(31, '3'));
    EXPECT_EQ(again->maxClients, 300);
    EXPECT_EQ(again->playerNumber, 1);
    EXPECT_EQ(again->skyName, "space1");
    EXPECT_EQ(again->skyRotate, "5");
    EXPECT_EQ(again->skyAxis, "1 0 0");
    EXPECT_EQ(again->modelTable.Count(), 3);

    const Bytes after = Saved();
    EXPECT_TRUE(view->OnCommand(ID_EDIT_UNDO));
    EXPECT_TRUE(Saved() == before);
    EXPECT_EQ(doc->mapName, "The Edge");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(view->OnCommand(ID_EDIT_REDO));
    EXPECT_TRUE(Saved() == after);
}

TEST_F(DemoInfoTest, ListChangesReachTheSavedTablesAndStayAfterCancel) {
    OpenInfo();
    const Bytes before = Saved();
    RunDialog([this](DemoInfoDlgData& d) {
        ui.AnswerAsk(true);
        EXPECT_TRUE(DeleteDemoInfoEntry(d, DemoInfoTable::kSounds, 0, ui));
        ui.AnswerAsk(true);
        ui.AnswerText("models/added");
        EXPECT_TRUE(AddDemoInfoEntry(d, DemoInfoTable::kModels, ui));
        ui.AnswerText("Player/female/jezebel");
        EXPECT_TRUE(EditDemoInfoSkin(d, 0, ui));
        d.levelName = "dropped"; // Cancel drops the fields
        return false;
    });
    ASSERT_EQ(doc->history.Count(), 1u);
    EXPECT_EQ(doc->levelName, "q2dm1");
    const auto again = Reopened();
    EXPECT_EQ(again->levelName, "q2dm1");
    EXPECT_EQ(DemoInfoFromDocument(*again).Names(DemoInfoTable::kSounds),
              (Names{"world/b.wav", "world/c.wav"}));
    EXPECT_EQ(again->modelTable.Count(), 4);
    EXPECT_EQ(again->modelTable.Entry(3), "models/added");
    EXPECT_EQ(again->skinTable.Entry(0), "Player/female/jezebel");
    view->OnCommand(ID_EDIT_UNDO);
    EXPECT_TRUE(Saved() == before);
}

TEST_F(DemoInfoTest, ALongEntryThatRunsOnIsKeptWhenItsTableIsNotChanged) {
    std::vector<Bytes> blocks = InfoDemo();
    // The status bar program runs on from its first slot into the next ones.
    blocks[0] = fx::Cat({blocks[0], fx::Msg::ConfigString(CS_STATUSBAR, std::string(150, 's')),
                         fx::Msg::ConfigString(CS_NAME, std::string(70, 'l'))});
    Open(blocks);
    const Bytes before = Saved();
    const DemoInfoDlgData data = Data();
    EXPECT_EQ(data.Names(DemoInfoTable::kStatusBar)[0], std::string(150, 's'));
    EXPECT_EQ(CheckDemoInfo(data).control, 0); // the longer map name the demo has stays
    RunDialog([](DemoInfoDlgData&) { return true; });
    EXPECT_EQ(doc->history.Count(), 0u);
    EXPECT_TRUE(Saved() == before);
}

TEST_F(DemoInfoTest, ADemoWithoutBlocksOpensNoDialog) {
    doc = LoadFile(Bytes{});
    ASSERT_EQ(doc->blockCount, 0u);
    view = std::make_unique<CTreskView>(*doc, ui, display);
    view->OnInitialUpdate("");
    EXPECT_TRUE(view->OnCommand(ID_VIEW_DEMO_INFO));
    EXPECT_TRUE(ui.transcript.empty());
}

} // namespace
