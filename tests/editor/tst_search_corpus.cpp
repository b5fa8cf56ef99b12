// The text search on a recorded demo: Find Text and F3 visit every match the command line
// lists, the prints among them are the prints the reference decoder shows, and Shift+F3 walks
// the same list back.
#include "view_fixture.h"

#include "editor/command_ids.h"
#include "editor/search.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace edtest;

namespace {

constexpr const char* kDemo = "packetflinger_libq2_testduel.dm2";
constexpr const char* kWord = "CLAIRE"; // a player of that duel, printed in many obituaries

// The texts of the print events `q2ref.py states` shows, in order. JSON strings are read with
// their escapes; \u00XX stands for the byte XX. Empty when the tool cannot run.
std::vector<std::string> ReferencePrints(const std::filesystem::path& demo, bool* ran) {
    const std::filesystem::path tool =
        std::filesystem::path(CINERAD_CORPUS_DIR) / ".." / "tools" / "q2ref.py";
    std::vector<std::string> prints;
    *ran = false;
    if (!std::filesystem::exists(tool)) {
        return prints;
    }
    const std::string command = "python3 '" + tool.string() + "' states '" + demo.string() + "'";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) {
        return prints;
    }
    std::string out;
    char buffer[1 << 16];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) {
        out.append(buffer, n);
    }
    *ran = !out.empty();
    const std::string key = "\"t\":\"print\",";
    for (size_t at = out.find(key); at != std::string::npos; at = out.find(key, at + 1)) {
        size_t p = out.find("\"text\":\"", at);
        if (p == std::string::npos) {
            break;
        }
        std::string text;
        for (p += 8; p < out.size() && out[p] != '"'; ++p) {
            if (out[p] != '\\') {
                text += out[p];
                continue;
            }
            const char e = out[++p];
            if (e == 'n') {
                text += '\n';
            } else if (e == 't') {
                text += '\t';
            } else if (e == 'r') {
                text += '\r';
            } else if (e == 'u') {
                text += static_cast<char>(std::stoi(out.substr(p + 1, 4), nullptr, 16) & 0xFF);
                p += 4;
            } else {
                text += e;
            }
        }
        prints.push_back(text);
    }
    return prints;
}

class SearchCorpusTest : public ViewTest {};

TEST_F(SearchCorpusTest, F3VisitsTheListedMatchesAndShiftF3WalksThemBack) {
    const std::filesystem::path path = std::filesystem::path(CINERAD_CORPUS_DIR) / "demos" / kDemo;
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << "no recorded demo at " << path;
    }
    doc = LoadFile(fx::ReadBytes(path));
    doc->AddView(&other);
    view = std::make_unique<CTreskView>(*doc, ui, display);
    view->OnInitialUpdate("/usr/share/games/quake2");
    view->ShowPlace({1, 1, 1});

    std::vector<std::string> listed;
    std::vector<std::string> listedPrints;
    for (const SearchMatch& m : ListTextMatches(*doc, kWord)) {
        if (m.block == 1 && m.message == 1) {
            continue; // where the walk starts: behind it
        }
        listed.push_back(std::to_string(m.block) + "." + std::to_string(m.message));
        if (m.record->type == svc_print) {
            listedPrints.push_back(*SearchedText(*m.record));
        }
    }
    ASSERT_GT(listedPrints.size(), 5u);

    const auto at = [&] {
        return std::to_string(view->CurrentBlockNumber()) + "." +
               std::to_string(view->CurrentMessageNumber());
    };
    std::vector<std::string> visited;
    ui.AnswerText(kWord);
    view->OnCommand(ID_SEARCH_FIND_TEXT);
    while (ui.messages.empty()) {
        visited.push_back(at());
        ASSERT_LE(visited.size(), listed.size()) << "the walk goes on past the list";
        view->OnCommand(ID_SEARCH_TEXT_FORWARDS);
    }
    EXPECT_EQ(ui.messages, std::vector<std::string>{kNoMoreTextForwardsText});
    EXPECT_EQ(visited, listed);

    std::vector<std::string> back{at()};
    ui.Clear();
    for (view->OnCommand(ID_SEARCH_TEXT_BACKWARDS); ui.messages.empty();
         view->OnCommand(ID_SEARCH_TEXT_BACKWARDS)) {
        back.push_back(at());
        ASSERT_LE(back.size(), listed.size());
    }
    EXPECT_EQ(std::vector<std::string>(back.rbegin(), back.rend()), listed);

    bool ran = false;
    std::vector<std::string> reference;
    for (const std::string& text : ReferencePrints(path, &ran)) {
        if (TextContains(text, kWord)) {
            reference.push_back(text);
        }
    }
    if (!ran) {
        GTEST_SKIP() << "the reference decoder could not run";
    }
    EXPECT_EQ(listedPrints, reference);
}

} // namespace
