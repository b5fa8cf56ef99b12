// Demo Info on real demos, judged by the reference decoder: OK without changes saves a demo
// the game plays exactly as the original, an added model is the next model configstring the
// game holds, and deleting sound row 0 moves every later sound down by one.
#include "view_fixture.h"

#include "editor/command_ids.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>

namespace fs = std::filesystem;
using namespace edtest;

namespace {

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

// What a shell command printed.
std::string ShellOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        std::array<char, 4096> buffer{};
        for (size_t n; (n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
            out.append(buffer.data(), n);
        }
        pclose(pipe);
    }
    return out;
}

// The model and sound configstrings (33 to 544) the game holds at the demo's first frame.
std::map<int, std::string> PrecacheAtFirstFrame(const fs::path& demo) {
    const std::string command = "python3 " + Quoted(Q2REF_TOOL) + " states " +
                                Quoted(demo.string()) +
                                " | head -1 | python3 -c 'import sys, json\n"
                                "cs = json.loads(sys.stdin.readline())[\"cs\"]\n"
                                "for k in sorted(cs, key=int):\n"
                                "    if 33 <= int(k) <= 544: print(k, cs[k])'";
    std::map<int, std::string> held;
    std::istringstream in(ShellOutput(command));
    for (std::string line; std::getline(in, line);) {
        const size_t space = line.find(' ');
        held[std::stoi(line.substr(0, space))] = line.substr(space + 1);
    }
    return held;
}

// The first corpus demo of the protocol the codec writes, or an empty path.
fs::path CorpusDemo() {
    const fs::path folder = fs::path(CINERAD_CORPUS_DIR) / "demos";
    std::error_code ec;
    std::vector<fs::path> demos;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (entry.path().extension() == ".dm2") {
            demos.push_back(entry.path());
        }
    }
    std::sort(demos.begin(), demos.end());
    for (const fs::path& path : demos) {
        auto doc = LoadFile(fx::ReadBytes(path));
        doc->DecodeAll();
        if (doc->protocolVersion == 34 && doc->soundTable.Count() > 2) {
            return path;
        }
    }
    return {};
}

class DemoInfoCorpus : public ViewTest {
  protected:
    void SetUp() override {
        if (ShellOutput("python3 " + Quoted(Q2REF_TOOL) + " --help >/dev/null 2>&1 && echo yes") !=
            "yes\n") {
            GTEST_SKIP() << "reference decoder missing";
        }
        demo_ = CorpusDemo();
        if (demo_.empty()) {
            GTEST_SKIP() << "no corpus demos in " << CINERAD_CORPUS_DIR;
        }
        doc = LoadFile(fx::ReadBytes(demo_));
        view = std::make_unique<CTreskView>(*doc, ui, display);
        view->OnInitialUpdate("");
    }
    // Runs Demo Info with the person doing `act`, then saves the demo.
    void RunAndSave(std::function<bool(DemoInfoDlgData&)> act) {
        ui.demoInfoAnswers.push_back(std::move(act));
        view->OnCommand(ID_VIEW_DEMO_INFO);
        std::string error;
        ASSERT_TRUE(doc->OnSaveDocument(saved_.str(), &error)) << error;
    }

    fs::path demo_;
    fx::TempFile saved_{".dm2"};
};

TEST_F(DemoInfoCorpus, OKWithoutChangesSavesADemoThatPlaysAsTheOriginal) {
    SCOPED_TRACE(demo_.filename().string());
    RunAndSave([](DemoInfoDlgData&) { return true; });
    EXPECT_EQ(doc->history.Count(), 0u);
    const std::string report =
        ShellOutput("python3 " + Quoted(Q2REF_TOOL) + " compare " + Quoted(demo_.string()) + " " +
                    Quoted(saved_.str()) + " 2>&1");
    EXPECT_NE(report.find("RESULT: EQUAL"), std::string::npos) << report;
}

TEST_F(DemoInfoCorpus, AnAddedModelIsTheNextModelConfigstring) {
    SCOPED_TRACE(demo_.filename().string());
    const int models = doc->modelTable.Count();
    ASSERT_LT(models, kTableSlots);
    RunAndSave([this](DemoInfoDlgData& d) {
        ui.AnswerAsk(true);
        ui.AnswerText("models/added/tris.md2");
        return AddDemoInfoEntry(d, DemoInfoTable::kModels, ui);
    });
    const std::map<int, std::string> before = PrecacheAtFirstFrame(demo_);
    std::map<int, std::string> after = PrecacheAtFirstFrame(saved_.path());
    EXPECT_EQ(after[kModelBase + models], "models/added/tris.md2");
    after.erase(kModelBase + models);
    EXPECT_EQ(after, before);
}

TEST_F(DemoInfoCorpus, DeletingSoundRowZeroMovesTheSoundsDownByOne) {
    SCOPED_TRACE(demo_.filename().string());
    const int sounds = doc->soundTable.Count();
    RunAndSave([this](DemoInfoDlgData& d) {
        ui.AnswerAsk(true);
        return DeleteDemoInfoEntry(d, DemoInfoTable::kSounds, 0, ui);
    });
    const std::map<int, std::string> before = PrecacheAtFirstFrame(demo_);
    const std::map<int, std::string> after = PrecacheAtFirstFrame(saved_.path());
    ASSERT_EQ(before.count(kSoundBase), 1u) << "the reference decoder read no sounds";
    for (int k = 0; k + 1 < sounds; ++k) {
        const auto was = before.find(kSoundBase + k + 1);
        const auto now = after.find(kSoundBase + k);
        EXPECT_EQ(now == after.end() ? "" : now->second, was == before.end() ? "" : was->second)
            << "sound " << k;
    }
    EXPECT_EQ(after.count(kSoundBase + sounds - 1), 0u);
    for (int i = kModelBase; i < kSoundBase; ++i) {
        EXPECT_EQ(after.count(i), before.count(i)) << "model configstring " << i;
    }
}

} // namespace
