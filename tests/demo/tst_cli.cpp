// tresk-cli's demo commands on a generated demo and on damaged input.
#include "demo_test_util.h"

#include "commands.h"
#include "demo/codec.h"
#include "dispatch.h"
#include "fx/game_demo_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <sstream>

namespace {

// Runs a command with standard output (and, when asked, standard error) captured.
int RunCli(int (*command)(const std::vector<std::string>&), std::vector<std::string> args,
           std::string* out, std::string* err = nullptr) {
    std::ostringstream captured;
    std::ostringstream capturedErr;
    std::streambuf* old = std::cout.rdbuf(captured.rdbuf());
    std::streambuf* oldErr = err != nullptr ? std::cerr.rdbuf(capturedErr.rdbuf()) : nullptr;
    int rc = command(args);
    std::cout.rdbuf(old);
    if (err != nullptr) {
        std::cerr.rdbuf(oldErr);
        *err = capturedErr.str();
    }
    *out = captured.str();
    return rc;
}

fx::TempFile GeneratedDemo() {
    fx::GameDemoOptions options;
    options.frames = 40;
    options.players = 3;
    fx::GameDemoBuilder builder(options);
    return fx::TempFile(builder.Build(), ".dm2");
}

TEST(Cli, TimeGivesTheBlockOfTheFrameShownAtATimeOfPlay) {
    ShownMessages quiet;
    fx::TempFile demo = GeneratedDemo();
    std::string out;
    std::string err;
    ASSERT_EQ(RunCli(RunTime, {demo.str(), "00:00.0"}, &out, &err), 0) << err;
    const std::string first = out;
    ASSERT_EQ(RunCli(RunTime, {demo.str(), "0:01.5"}, &out, &err), 0) << err;
    // Frames are a tenth of a second apart, one to a block: 15 blocks on.
    const auto blockOf = [](const std::string& line) {
        return std::stoi(line.substr(line.find("block ") + 6));
    };
    EXPECT_EQ(out.substr(0, 8), "00:01.5 ");
    EXPECT_EQ(blockOf(out), blockOf(first) + 15);
    ASSERT_EQ(RunCli(RunTime, {demo.str(), "59:00"}, &out, &err), 0);
    EXPECT_NE(err.find("only 00:03.9 long"), std::string::npos) << err;
    EXPECT_EQ(RunCli(RunTime, {demo.str(), "later"}, &out, &err), 2);
}

TEST(Cli, InfoDumpCheckAndResaveOnAGoodDemo) {
    ShownMessages quiet;
    fx::TempFile demo = GeneratedDemo();
    std::string out;
    ASSERT_EQ(RunCli(RunInfo, {demo.str()}, &out), 0);
    EXPECT_NE(out.find("protocol:          34"), std::string::npos) << out;
    EXPECT_NE(out.find("4.0 s (40 frames)"), std::string::npos) << out;
    EXPECT_NE(out.find("frame: 40"), std::string::npos) << out;

    ASSERT_EQ(RunCli(RunDump, {demo.str(), "--blocks", "1-1"}, &out), 0);
    EXPECT_EQ(out.rfind("1.1 serverdata protocol=34", 0), 0u) << out;
    EXPECT_EQ(out.find("\n2."), std::string::npos);

    ASSERT_EQ(RunCli(RunCheck, {demo.str()}, &out), 0) << out;
    fx::TempFile saved(".dm2");
    ASSERT_EQ(RunCli(RunResave, {demo.str(), saved.str()}, &out), 0);
    ASSERT_EQ(RunCli(RunCheck, {saved.str()}, &out), 0) << out;
}

TEST(Cli, InfoTablesListsThePrecacheTablesAsDemoInfoDoes) {
    ShownMessages quiet;
    fx::Bytes file =
        fx::DemoFileWriter()
            .Block({ServerDataMsg(), fx::Msg::ConfigString(kModelBase, "maps/q2dm1.bsp"),
                    fx::Msg::ConfigString(kModelBase + 1, "models/a"),
                    fx::Msg::ConfigString(kSoundBase, "world/a.wav"),
                    fx::Msg::ConfigString(kSkinBase, "Player/male/grunt")})
            .ToBytes();
    fx::TempFile demo(file, ".dm2");
    std::string out;
    ASSERT_EQ(RunCli(RunInfo, {demo.str(), "--tables"}, &out), 0);
    const size_t tables = out.find("sounds (1):\n  1: world/a.wav\n"
                                   "models (2):\n  1: maps/q2dm1.bsp\n  2: models/a\n"
                                   "status bar (0):\nimages (0):\nitems (0):\n"
                                   "skins (1):\n  0: Player/male/grunt\n");
    EXPECT_NE(tables, std::string::npos) << out;
    ASSERT_EQ(RunCli(RunInfo, {demo.str()}, &out), 0);
    EXPECT_EQ(out.find("sounds ("), std::string::npos);
    EXPECT_EQ(RunCli(RunInfo, {demo.str(), "--table"}, &out), 2);
}

TEST(Cli, CheckListsEveryProblemAndFails) {
    ShownMessages quiet;
    fx::Bytes big(1500, svc_nop);
    fx::Bytes file = fx::DemoFileWriter()
                         .Block({ServerDataMsg()})
                         .Block(big)
                         .Block({fx::Msg::Print(1, "ok"), fx::Msg::Id(33)})
                         .Block({fx::Msg::Raw({svc_print, 1, 'a'})})
                         .ToBytes();
    fx::TempFile demo(file, ".dm2");
    std::string out;
    EXPECT_EQ(RunCli(RunCheck, {demo.str()}, &out), 1);
    EXPECT_NE(out.find("block 2: 1500 bytes"), std::string::npos) << out;
    EXPECT_NE(out.find("block 3: invalid message id 33"), std::string::npos) << out;
    EXPECT_NE(out.find("block 4: block ends inside a message"), std::string::npos) << out;
    EXPECT_NE(out.find("3 problems found"), std::string::npos) << out;
}

TEST(Cli, BadArgumentsAndMissingFilesFail) {
    std::string out;
    EXPECT_EQ(RunCli(RunInfo, {}, &out), 2);
    EXPECT_EQ(RunCli(RunDump, {"x.dm2", "--blocks", "5-2"}, &out), 2);
    EXPECT_EQ(RunCli(RunResave, {"/nonexistent.dm2", "/tmp/never.dm2"}, &out), 1);
    EXPECT_EQ(RunCli(RunCheck, {"/nonexistent.dm2"}, &out), 1);
}

TEST(Cli, AFilmActionThatChangesNothingSaysSoAndWritesNoFile) {
    ShownMessages quiet;
    fx::TempFile demo = GeneratedDemo();
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "cli_unchanged.dm2";
    std::filesystem::remove(out);
    std::string said;
    std::string err;
    for (const char* action : {"--smooth", "--no-view-weapon"}) {
        EXPECT_EQ(RunCli(RunFilm, {demo.str(), out.string(), "--blocks", "20-20", action}, &said,
                         &err),
                  1);
        EXPECT_NE(err.find(std::string(action) + " changed nothing in blocks 20-20"),
                  std::string::npos)
            << err;
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    // Over two blocks the same command does change the demo.
    EXPECT_EQ(RunCli(RunFilm, {demo.str(), out.string(), "--blocks", "20-22", "--smooth"}, &said,
                     &err),
              0)
        << err;
    EXPECT_TRUE(std::filesystem::exists(out));
    std::filesystem::remove(out);
}

TEST(Cli, EveryCommandRefusesAFileThatIsNotADemo) {
    ShownMessages quiet;
    fx::TempFile text(fx::Bytes{'n', 'o', 't', ' ', 'a', ' ', 'd', 'e', 'm', 'o', '\n'}, ".dm2");
    fx::TempFile demo = GeneratedDemo();
    fx::TempFile out(".dm2");
    const std::string reason =
        "tresk-cli: \"" + text.str() +
        "\" is not a demo: its first block does not start with a serverdata message.\n";
    struct Case {
        int (*command)(const std::vector<std::string>&);
        std::vector<std::string> args;
    };
    const std::vector<Case> cases = {
        {RunInfo, {text.str()}},
        {RunDump, {text.str()}},
        {RunCheck, {text.str()}},
        {RunResave, {text.str(), out.str()}},
        {RunCut, {text.str(), out.str(), "--blocks", "1-1"}},
        {RunDelete, {text.str(), out.str(), "--blocks", "1-1", "--yes"}},
        {RunReverse, {text.str(), out.str(), "--blocks", "1-2"}},
        {RunPaste,
         {text.str(), out.str(), "--from", demo.str(), "--blocks", "3-4", "--after", "1"}},
        {RunPaste,
         {demo.str(), out.str(), "--from", text.str(), "--blocks", "1-1", "--after", "3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.size() > 1 ? c.args[1] : c.args[0]);
        std::string stdoutText;
        std::string err;
        EXPECT_EQ(RunCli(c.command, c.args, &stdoutText, &err), 1);
        EXPECT_EQ(err, reason);
        EXPECT_FALSE(std::filesystem::exists(out.path())) << "nothing is written";
    }
}

TEST(Cli, AnUnsupportedProtocolShowsItsNumberEverywhereAndResaveNeedsForce) {
    ShownMessages shown;
    fx::Bytes file = fx::DemoFileWriter()
                         .Block({ServerDataMsg(56)})
                         .Block({ServerDataMsg(57)}) // misread bytes, as such a demo may show
                         .Block({fx::Msg::Print(1, "hello")})
                         .Block({fx::Msg::Print(1, "more")})
                         .ToBytes();
    fx::TempFile demo(file, ".dm2");
    std::string out;
    std::string err;
    ASSERT_EQ(RunCli(RunInfo, {demo.str()}, &out), 0);
    EXPECT_NE(out.find("protocol:          56\n"), std::string::npos) << out;
    EXPECT_EQ(RunCli(RunCheck, {demo.str()}, &out), 1);
    EXPECT_NE(out.find("block 1: " + UnsupportedProtocolProblem(56) + "\n"), std::string::npos)
        << out;
    EXPECT_EQ(out.find("57"), std::string::npos) << out;
    for (const std::string& text : shown.texts()) {
        if (text.find("protocol") != std::string::npos) {
            EXPECT_EQ(text, UnknownProtocolText(56));
        }
    }

    fx::TempFile saved(".dm2");
    EXPECT_EQ(RunCli(RunResave, {demo.str(), saved.str()}, &out, &err), 1);
    EXPECT_NE(err.find("uses protocol 56"), std::string::npos) << err;
    EXPECT_NE(err.find("give --force"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(saved.path()));

    // The edits save too, and refuse likewise.
    EXPECT_EQ(RunCli(RunCut, {demo.str(), saved.str(), "--blocks", "4"}, &out, &err), 1);
    EXPECT_NE(err.find("uses protocol 56"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(saved.path()));
    EXPECT_EQ(RunCli(RunCut, {demo.str(), saved.str(), "--blocks", "4", "--force"}, &out, &err), 0)
        << err;

    ASSERT_EQ(RunCli(RunResave, {demo.str(), saved.str(), "--force"}, &out, &err), 0) << err;
    EXPECT_NE(err.find("Saving anyway"), std::string::npos) << err;
    ASSERT_EQ(RunCli(RunInfo, {saved.str()}, &out), 0);
    EXPECT_NE(out.find("protocol:          56\n"), std::string::npos) << out;
}

TEST(Cli, DumpOfBlocksNotInTheDemoSaysSoAndFails) {
    ShownMessages quiet;
    fx::TempFile demo(fx::DemoFileWriter()
                          .Block({ServerDataMsg()})
                          .Block({fx::Msg::Print(1, "a")})
                          .Block({fx::Msg::Print(1, "b")})
                          .ToBytes(),
                      ".dm2");
    std::string out;
    std::string err;
    EXPECT_EQ(RunCli(RunDump, {demo.str(), "--blocks", "3"}, &out, &err), 0);
    EXPECT_EQ(out, "3.1 print level=1 \"b\"\n");
    for (const char* range : {"4", "2-4", "9-12"}) {
        SCOPED_TRACE(range);
        EXPECT_EQ(RunCli(RunDump, {demo.str(), "--blocks", range}, &out, &err), 1);
        EXPECT_TRUE(out.empty()) << out;
        std::string asked = range;
        if (asked.find('-') == std::string::npos) {
            asked += "-" + asked;
        }
        EXPECT_EQ(err, "tresk-cli: blocks " + asked + " are not in the demo, which has 3 blocks\n");
    }
}

TEST(Cli, VersionAndEachCommandsHelpPrintAndSucceed) {
    std::string out;
    std::string err;
    EXPECT_EQ(RunCli(RunTreskCli, {"--version"}, &out, &err), 0);
    EXPECT_EQ(out, "tresk-cli 2.0.0\n");
    EXPECT_EQ(RunCli(RunTreskCli, {"--help"}, &out, &err), 0);
    EXPECT_NE(out.find("tresk-cli --version"), std::string::npos) << out;
    for (const char* verb : {"info", "dump", "resave", "check", "cut", "delete", "reverse", "paste",
                             "find", "entities"}) {
        SCOPED_TRACE(verb);
        for (const char* flag : {"--help", "-h"}) {
            EXPECT_EQ(RunCli(RunTreskCli, {verb, flag}, &out, &err), 0);
            EXPECT_EQ(out.rfind("usage: tresk-cli " + std::string(verb) + " ", 0), 0u) << out;
            EXPECT_TRUE(err.empty()) << err;
        }
        // Wherever it stands, and without a file being read.
        EXPECT_EQ(RunCli(RunTreskCli, {verb, "/nonexistent.dm2", "--help"}, &out, &err), 0);
        EXPECT_TRUE(err.empty()) << err;
    }
    EXPECT_EQ(RunCli(RunTreskCli, {"pak", "--help"}, &out, &err), 0);
    EXPECT_EQ(out.rfind("usage: tresk-cli pak list", 0), 0u) << out;
    EXPECT_EQ(RunCli(RunTreskCli, {}, &out, &err), 2);
    EXPECT_EQ(RunCli(RunTreskCli, {"frobnicate"}, &out, &err), 2);
    EXPECT_NE(err.find("unknown command \"frobnicate\""), std::string::npos) << err;
}

TEST(Cli, FindListsEveryMatchAsTheSearchesFindThem) {
    fx::Sound sound;
    sound.soundnum = 1;
    fx::DemoFileWriter writer;
    writer.Block({fx::Msg::ServerData({}), fx::Msg::ConfigString(33, "models/weapons/ROCKET")})
        .Block({fx::Msg::Print(2, "Fraglimit\n"), fx::Msg::Sound(sound)})
        .Block({fx::Msg::CenterPrint("a Rocket \xC1"), fx::Msg::StuffText("play x")})
        .Block({fx::Msg::Print(1, "last rocket")});
    fx::TempFile demo(writer.ToBytes(), ".dm2");
    std::string out;
    std::string err;
    ASSERT_EQ(RunCli(RunFind, {demo.str(), "rocket"}, &out, &err), 0) << err;
    EXPECT_EQ(out, "1.2 configstring \"models/weapons/ROCKET\"\n"
                   "3.1 centerprint \"a Rocket \\xc1\"\n"
                   "4.1 print \"last rocket\"\n");
    // High-bit characters are not letters to fold.
    ASSERT_EQ(RunCli(RunFind, {demo.str(), "\xE1"}, &out, &err), 0);
    EXPECT_EQ(out, "");
    ASSERT_EQ(RunCli(RunFind, {demo.str(), "ROCKET", "--backwards-from", "4.1"}, &out), 0);
    EXPECT_EQ(out, "3.1 centerprint \"a Rocket \\xc1\"\n"
                   "1.2 configstring \"models/weapons/ROCKET\"\n");
    ASSERT_EQ(RunCli(RunFind, {demo.str(), "--type", "9"}, &out), 0);
    EXPECT_EQ(out, "2.2 sound\n");
    EXPECT_EQ(RunCli(RunFind, {demo.str(), "--type", "many"}, &out, &err), 2);
    EXPECT_EQ(RunCli(RunFind, {demo.str(), "x", "--backwards-from", "4"}, &out, &err), 2);
    EXPECT_EQ(RunCli(RunFind, {demo.str()}, &out, &err), 2);
    EXPECT_EQ(RunCli(RunFind, {"/nonexistent.dm2", "x"}, &out, &err), 1);
}

} // namespace

TEST(Cli, EntitiesListsABlocksEntitiesAndMarksAndDescribesThemAsTheListDoes) {
    ShownMessages quiet;
    fx::TempFile demo = GeneratedDemo();
    std::string out;
    std::string err;
    ASSERT_EQ(RunCli(RunEntities, {demo.str(), "--block", "12"}, &out, &err), 0) << err;
    std::istringstream lines(out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "block 12");
    std::getline(lines, line);
    EXPECT_EQ(line, "Entity #\tModel #\tFilename\tMark\tDescription");
    std::vector<std::string> rows;
    while (std::getline(lines, line)) {
        rows.push_back(line);
    }
    ASSERT_GT(rows.size(), 2u);
    // The run's terminator closes the list.
    EXPECT_EQ(rows.back(), "0\t0\tNONE\t-\t");
    const std::string first = rows.front().substr(0, rows.front().find('\t'));

    // Marks are taken lowest first; toggling again frees one; descriptions follow.
    ASSERT_EQ(RunCli(RunEntities,
                     {demo.str(), "--block", "12", "--mark", "900", "--mark", first, "--mark",
                      "900", "--describe", first, "the red one"},
                     &out, &err),
              0)
        << err;
    EXPECT_NE(out.find("\n" + first + "\t"), std::string::npos) << out;
    EXPECT_NE(out.find("\t1\tthe red one\n"), std::string::npos) << out;

    std::vector<std::string> eleven = {demo.str()};
    for (int n = 1; n <= 11; ++n) {
        eleven.insert(eleven.end(), {"--mark", std::to_string(n)});
    }
    EXPECT_EQ(RunCli(RunEntities, eleven, &out, &err), 1);
    EXPECT_NE(err.find("all ten marks are in use: entity 11"), std::string::npos) << err;
    EXPECT_EQ(RunCli(RunEntities, {demo.str(), "--mark", "1024"}, &out, &err), 1);
    EXPECT_NE(err.find("entity 1024 has no note"), std::string::npos) << err;
    EXPECT_EQ(RunCli(RunEntities, {demo.str(), "--block", "x"}, &out, &err), 2);
}
