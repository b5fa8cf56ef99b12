// The search report's rows and commands without widgets: what it lists, how its rows follow
// deletions, and that rows the demo has moved away from are refused until it runs again.
#include "search_demo.h"
#include "view_fixture.h"

#include "demo/demo_block.h"
#include "editor/block_buffer.h"
#include "editor/command_ids.h"
#include "editor/history_commands.h"
#include "editor/search.h"
#include "editor/search_report_model.h"

#include <gtest/gtest.h>

using namespace edtest;

namespace {

AdvancedSearchDlgData Options(int console, int sound, const std::string& keyword = {}) {
    AdvancedSearchDlgData data;
    data.console = console;
    data.sound = sound;
    data.keyword = keyword;
    return data;
}

// "block.message type text" per row.
std::vector<std::string> Lines(const SearchReportModel& report) {
    std::vector<std::string> lines;
    for (const SearchReportRow& r : report.Rows()) {
        lines.push_back(std::to_string(r.block) + "." + std::to_string(r.message) + " " +
                        r.typeName + " " + r.text);
    }
    return lines;
}

class SearchReportTest : public ViewTest {
  protected:
    void OpenReport(const std::vector<Bytes>& blocks, const AdvancedSearchDlgData& options) {
        Open(blocks);
        view->skipDeleteConfirmation = true;
        view->blockBuffer = &buffer;
        report = std::make_unique<SearchReportModel>(*doc, ui);
        report->onRowsChanged = [this] { ++changes; };
        ui.AnswerAdvancedSearch(options);
        report->OnInitialUpdate();
    }
    void TearDown() override {
        report.reset();
        ViewTest::TearDown();
    }
    // Every row names a message of its type holding its text (a sound: the sound message).
    void ExpectRowsNameTheirMessages() {
        for (const SearchReportRow& r : report->Rows()) {
            const DemoBlock* b = doc->BlockAt(r.block);
            ASSERT_NE(b, nullptr) << r.block;
            const DemoMessage* m = b->MessageAt(r.message);
            ASSERT_NE(m, nullptr) << r.block << "." << r.message;
            if (r.typeName == "sound") {
                EXPECT_EQ(m->type, svc_sound);
            } else {
                EXPECT_EQ(GetMessageName(m->type), r.typeName);
                ASSERT_NE(SearchedText(*m), nullptr);
                EXPECT_EQ(*SearchedText(*m), r.text) << r.block << "." << r.message;
            }
        }
    }

    CBlockBuffer buffer;
    std::unique_ptr<SearchReportModel> report;
    int changes = 0;
};

TEST_F(SearchReportTest, ConsoleOutputListsEveryPrintStuffAndCentrePrintToTheLastBlock) {
    OpenReport(SearchDemo(), Options(1, 0, "ignored"));
    ASSERT_TRUE(report->HasColumns());
    const std::vector<std::string> lines = Lines(*report);
    ASSERT_EQ(lines.size(), 4u + 7u * 2u + 3u);
    EXPECT_EQ(lines.front(), "2.1 print signon 2");
    EXPECT_EQ(lines[6], "7.2 print b7 m1");
    EXPECT_EQ(lines[8], "7.4 centerprint Fraglimit hit");
    EXPECT_EQ(lines[13], "9.4 stufftext play misc/secret.wav\n"); // no layout
    EXPECT_EQ(lines.back(), "12.4 print Grunt was blasted by a rocket\n");
    EXPECT_EQ(changes, 1);
    EXPECT_FALSE(report->IsOutOfDate());
}

TEST_F(SearchReportTest, SoundsOfTheFirstSoundNamedByTheKeyword) {
    OpenReport(SearchDemo(), Options(0, 1, "jump"));
    EXPECT_EQ(Lines(*report), (std::vector<std::string>{"7.5 sound player/male/JUMP1.wav",
                                                        "10.4 sound player/male/JUMP1.wav"}));
    // Hints other than 3 with its kind are ignored.
    report->OnUpdate(nullptr, kHintRefresh, {});
    report->OnUpdate(nullptr, kHintDeleteMessage, {7, 5});
    EXPECT_EQ(report->Rows().size(), 2u);
    SearchReportModel missing(*doc, ui);
    ui.AnswerAdvancedSearch(Options(0, 1, "no such sound"));
    missing.OnInitialUpdate();
    EXPECT_TRUE(missing.HasColumns());
    EXPECT_TRUE(missing.Rows().empty()) << "the sound part is dropped";
}

TEST_F(SearchReportTest, CancelLeavesTheReportEmptyWithoutColumns) {
    Open(SearchDemo());
    SearchReportModel cancelled(*doc, ui);
    ui.CancelAdvancedSearch();
    cancelled.OnInitialUpdate();
    EXPECT_FALSE(cancelled.HasColumns());
    EXPECT_TRUE(cancelled.Rows().empty());
    cancelled.OnUpdateReport(); // nothing to run again
    cancelled.OnDoubleClick({0});
    EXPECT_FALSE(cancelled.HasColumns());
}

TEST_F(SearchReportTest, DoubleClickGoesToTheFirstSelectedRowAndSelectSpansTheRowsBlocks) {
    OpenReport(SearchDemo(), Options(1, 0));
    report->OnDoubleClick({});
    EXPECT_EQ(view->CurrentBlockNumber(), 6u) << "no selected row: nothing";
    report->OnDoubleClick({13, 8});
    EXPECT_EQ(view->CurrentBlockNumber(), 7u);
    EXPECT_EQ(view->CurrentMessageNumber(), 4u);
    report->OnSelectItems({20, 9, 6});
    EXPECT_EQ(view->CurrentBlockNumber(), 7u);
    EXPECT_EQ(view->SelectionCount(), 6u); // blocks 7 to 12
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SearchReportTest, DeleteSelectionDeletesEachSelectedMessageOnceAndTheRowsFollow) {
    OpenReport(SearchDemo(), Options(1, 1, "jump"));
    // Rows: 2.1 3.1 4.1 5.1 | 6.2 6.3 | 7.2 7.3 7.4 7.5(sound) | 8.2 8.3 | 9.2 9.3 9.4 | ...
    const std::vector<std::string> before = Lines(*report);
    ASSERT_EQ(before[1], "3.1 print signon 3");
    ASSERT_EQ(before[6], "7.2 print b7 m1");
    ASSERT_EQ(before[8], "7.4 centerprint Fraglimit hit");
    // The only message of block 3 (the block goes), and two messages of block 7.
    report->OnDeleteSelection({8, 1, 6, 8});
    EXPECT_EQ(doc->blockCount, 11u);
    EXPECT_FALSE(report->IsOutOfDate()) << "the report followed its own deletions";
    EXPECT_EQ(report->Rows().size(), before.size() - 3);
    ExpectRowsNameTheirMessages();
    const std::vector<std::string> after = Lines(*report);
    EXPECT_EQ(after[1], "3.1 print signon 4");
    EXPECT_EQ(after[5], "6.2 print b7 m2");
    EXPECT_EQ(after[6], "6.3 sound player/male/JUMP1.wav");
    // A deletion made in the editor view is followed too.
    view->OnUpdate(&other, kHintGotoMessage, {8, 2});
    view->OnDeleteMessage();
    EXPECT_FALSE(report->IsOutOfDate());
    ExpectRowsNameTheirMessages();
}

TEST_F(SearchReportTest, WithoutAnEditorViewToDeleteTheLoopEndsAndTheRowsStay) {
    auto doc2 = LoadDoc(SearchDemo());
    doc2->DecodeAll();
    SearchReportModel alone(*doc2, ui); // no editor view on this demo
    ui.AnswerAdvancedSearch(Options(1, 0));
    alone.OnInitialUpdate();
    const size_t rows = alone.Rows().size();
    alone.OnDeleteSelection({0, 1, 2});
    EXPECT_EQ(alone.Rows().size(), rows);
    EXPECT_EQ(doc2->blockCount, 12u);
}

TEST_F(SearchReportTest, RowsOutOfDateAfterABlockEditAreRefusedUntilUpdate) {
    OpenReport(SearchDemo(), Options(1, 0));
    // Cut blocks 7 and 8.
    view->OnUpdate(&other, kHintSelectBlocks, {7, 8});
    view->OnEditCut();
    ASSERT_EQ(doc->blockCount, 10u);
    EXPECT_TRUE(report->IsOutOfDate());
    other.hints.clear();
    report->OnDoubleClick({0});
    report->OnSelectItems({0, 1});
    report->OnDeleteSelection({0});
    EXPECT_EQ(ui.messages, (std::vector<std::string>(3, kReportOutOfDateText)));
    EXPECT_TRUE(other.hints.empty()) << "nothing was sent to the editor";
    EXPECT_EQ(doc->blockCount, 10u);
    // Update runs the search again on the demo as it stands.
    report->OnUpdateReport();
    EXPECT_FALSE(report->IsOutOfDate());
    EXPECT_EQ(report->Rows().size(), 21u - 5u);
    ExpectRowsNameTheirMessages();
}

TEST_F(SearchReportTest, UndoMakesTheRowsOutOfDate) {
    OpenReport(SearchDemo(), Options(1, 0));
    report->OnDeleteSelection({0});
    ASSERT_FALSE(report->IsOutOfDate());
    view->OnCommand(ID_EDIT_UNDO);
    EXPECT_TRUE(report->IsOutOfDate());
    report->OnUpdateReport();
    ExpectRowsNameTheirMessages();
}

TEST_F(SearchReportTest, AFrameDeletedWithItsDataLeavesTheRowsAfterItOutOfDate) {
    // A played frame goes with its player state and entities: the print after it moves up by
    // three messages, not one.
    OpenReport(PlayDemo(12, 6), Options(1, 0));
    view->OnUpdate(&other, kHintGotoMessage, {8, 1});
    ASSERT_EQ(doc->currentBlock->FirstMessage()->type, svc_frame);
    view->OnDeleteMessage();
    EXPECT_TRUE(report->IsOutOfDate());
    report->OnUpdateReport();
    ExpectRowsNameTheirMessages();
}

} // namespace
