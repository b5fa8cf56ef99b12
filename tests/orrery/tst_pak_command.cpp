#include "pak_command.h"

#include "pak_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using orrery_test::ReadFile;
using orrery_test::TempDir;
using orrery_test::WriteFile;
using orrery_test::WritePak;

namespace {

struct Result {
    int code;
    std::string out;
    std::string err;
};

// Runs "pak ARGS..." with std::cout and std::cerr captured.
Result RunPak(std::vector<std::string> args) {
    args.insert(args.begin(), "pak");
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    std::ostringstream out;
    std::ostringstream err;
    std::streambuf* oldOut = std::cout.rdbuf(out.rdbuf());
    std::streambuf* oldErr = std::cerr.rdbuf(err.rdbuf());
    const int code = RunPakCommand(static_cast<int>(args.size()), argv.data());
    std::cout.rdbuf(oldOut);
    std::cerr.rdbuf(oldErr);
    return {code, out.str(), err.str()};
}

class PakCommandTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string archive = dir.File("pak0.pak");
    void SetUp() override {
        WritePak(archive,
                 {{"maps/base1.bsp", "map"}, {"pics/colormap.pcx", std::string("\0\xff", 2)}});
    }
};

TEST_F(PakCommandTest, ListPrintsNameOffsetAndLengthPerEntry) {
    const Result result = RunPak({"list", archive});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "maps/base1.bsp\t12\t3\npics/colormap.pcx\t15\t2\n");
    EXPECT_EQ(result.err, "");
}

TEST_F(PakCommandTest, ExtractWritesTheStoredFile) {
    const std::string out = dir.File("copy.pcx");
    Result result = RunPak({"extract", archive, "PICS/Colormap.pcx", out});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(ReadFile(out), std::string("\0\xff", 2));

    result = RunPak({"extract", archive, "maps/base1.bsp", "-"});
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(result.out, "map");

    // Without OUT the file lands under its own name in the current folder.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    result = RunPak({"extract", archive, "maps/base1.bsp"});
    std::filesystem::current_path(previous);
    EXPECT_EQ(result.code, 0);
    EXPECT_EQ(ReadFile(dir.Path() / "base1.bsp"), "map");
}

TEST_F(PakCommandTest, FailuresSayWhatWentWrong) {
    Result result = RunPak({"extract", archive, "maps/base2.bsp", dir.File("x")});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, "tresk-cli pak: 'maps/base2.bsp' is not in " + archive + "\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("x")));

    const std::string broken = dir.File("broken.pak");
    WriteFile(broken, "PACK");
    result = RunPak({"list", broken});
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.err, "tresk-cli pak: cannot read '" + broken + "' as a pak archive\n");

    result = RunPak({"extract", archive, "maps/base1.bsp", dir.File("no/such/folder/x")});
    EXPECT_EQ(result.code, 1);
    EXPECT_NE(result.err.find("cannot write"), std::string::npos);
}

TEST_F(PakCommandTest, WrongCommandLinesPrintTheUsage) {
    for (const std::vector<std::string>& args : {std::vector<std::string>{},
                                                 {"list"},
                                                 {"list", archive, "extra"},
                                                 {"extract", archive},
                                                 {"unpack", archive}}) {
        const Result result = RunPak(args);
        EXPECT_EQ(result.code, 2);
        EXPECT_EQ(result.err, kPakUsage);
        EXPECT_EQ(result.out, "");
    }
}

} // namespace
