// The text searches and the search report on a generated busy game (eight players, many map
// entities): they pass the blocks and records that carry no text, and must still find every
// match a walk over every record finds, in the same order, before and after block edits and
// their undo.
#include "search_walk.h"
#include "view_fixture.h"

#include "demo/demo_block.h"
#include "editor/block_buffer.h"
#include "editor/command_ids.h"
#include "editor/search.h"
#include "editor/search_report_model.h"

#include "fx/game_demo_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace edtest;

namespace {

std::string Place(uint32_t block, uint32_t message) {
    return std::to_string(block) + "." + std::to_string(message);
}

// Every message whose text holds the needle, reading every record of every block.
std::vector<std::string> EveryRecordsMatches(const CTreskDoc& doc, const std::string& needle) {
    std::vector<std::string> places;
    uint32_t b = 1;
    for (const DemoBlock* block = doc.FirstBlock(); block != nullptr; block = block->next, ++b) {
        uint32_t n = 1;
        for (const DemoMessage* m = block->FirstMessage(); m != nullptr; m = m->next, ++n) {
            if (TextMatches(*m, needle)) {
                places.push_back(Place(b, n));
            }
        }
    }
    return places;
}

// The console rows, from every record of every block.
std::vector<std::string> EveryRecordsConsoleRows(const CTreskDoc& doc) {
    std::vector<std::string> rows;
    uint32_t b = 1;
    for (const DemoBlock* block = doc.FirstBlock(); block != nullptr; block = block->next, ++b) {
        uint32_t n = 1;
        for (const DemoMessage* m = block->FirstMessage(); m != nullptr; m = m->next, ++n) {
            if (m->type == svc_print || m->type == svc_stufftext || m->type == svc_centerprint) {
                rows.push_back(Place(b, n) + " " + GetMessageName(m->type) + " " +
                               *SearchedText(*m));
            }
        }
    }
    return rows;
}

class BusyGameSearchTest : public ViewTest {
  protected:
    void SetUp() override {
        fx::GameDemoOptions options;
        options.players = 8;
        options.entities = 120;
        options.frames = 1500;
        options.seed = 4242;
        doc = LoadFile(fx::GameDemoBuilder(options).Build());
        doc->AddView(&other);
        view = std::make_unique<CTreskView>(*doc, ui, display);
        view->OnInitialUpdate("");
        view->blockBuffer = &buffer;
        ASSERT_GT(doc->blockCount, 1500u);
    }

    // The searches for each needle against the walk over every record: the list of matches,
    // F3 from 1.1 (which itself is behind the walk), Shift+F3 back; and the console report.
    void ExpectSearchesFindWhatEveryRecordHolds() {
        for (const std::string needle : {"WAS", "xv ", "vexa", "quad"}) {
            SCOPED_TRACE(needle);
            std::vector<std::string> listed; // this decodes any block not decoded yet
            for (const SearchMatch& m : ListTextMatches(*doc, needle)) {
                listed.push_back(Place(m.block, m.message));
            }
            std::vector<std::string> expected = EveryRecordsMatches(*doc, needle);
            ASSERT_GT(expected.size(), 1u);
            EXPECT_EQ(listed, expected);

            if (expected.front() == "1.1") {
                expected.erase(expected.begin());
            }
            view->ShowPlace({1, 1, 1});
            view->lastSearchText = needle;
            EXPECT_EQ(RepeatSearch(*view, ui, ID_SEARCH_TEXT_FORWARDS), expected);
            expected.pop_back(); // where the view now stands
            std::vector<std::string> back = RepeatSearch(*view, ui, ID_SEARCH_TEXT_BACKWARDS);
            EXPECT_EQ(std::vector<std::string>(back.rbegin(), back.rend()), expected);
        }
        AdvancedSearchDlgData console;
        console.console = 1;
        std::vector<std::string> rows;
        for (const SearchReportRow& r : RunSearchReport(*doc, console)) {
            rows.push_back(Place(r.block, r.message) + " " + r.typeName + " " + r.text);
        }
        EXPECT_EQ(rows, EveryRecordsConsoleRows(*doc));
    }

    CBlockBuffer buffer;
};

TEST_F(BusyGameSearchTest, TheSearchesFindWhatEveryRecordHoldsThroughCutPasteAndUndo) {
    ExpectSearchesFindWhatEveryRecordHolds();
    Select(400, 700);
    view->OnEditCut();
    ExpectSearchesFindWhatEveryRecordHolds();
    Goto(150);
    view->OnEditPaste();
    ExpectSearchesFindWhatEveryRecordHolds();
    ASSERT_TRUE(view->OnCommand(ID_EDIT_UNDO));
    ASSERT_TRUE(view->OnCommand(ID_EDIT_UNDO));
    ExpectSearchesFindWhatEveryRecordHolds();
}

} // namespace
