// Jump to Time Index and the Home and End keys: a time names the frame that many tenths of a
// second after the first frame of play.
#include "view_fixture.h"

#include "editor/command_ids.h"
#include "editor/time_index.h"

#include <gtest/gtest.h>

using namespace edtest;

namespace {

TEST(TimeIndex, ReadsMinutesSecondsAndTenthsAndRefusesAnythingElse) {
    EXPECT_EQ(ParseTimeIndex("00:00.0"), 0u);
    EXPECT_EQ(ParseTimeIndex("01:02.3"), 623u);
    EXPECT_EQ(ParseTimeIndex(" 1:02 "), 620u);
    EXPECT_EQ(ParseTimeIndex("75.5"), 755u);
    EXPECT_EQ(ParseTimeIndex("90"), 900u);
    for (const char* bad :
         {"", ":", "1:60", "1:2:3", "1.23", "a:00", "-1", "1:-2", "1e3", "99999999999"}) {
        EXPECT_FALSE(ParseTimeIndex(bad).has_value()) << bad;
    }
    EXPECT_EQ(FormatTimeIndex(623), "01:02.3");
    EXPECT_EQ(FormatTimeIndex(0), "00:00.0");
}

TEST_F(ViewTest, JumpToTimeGoesToTheFrameThatManyTenthsIntoPlay) {
    Open(PlayDemo(40, 7)); // frames in blocks 7 to 40: 3.3 seconds of play
    ui.AnswerText("00:01.5");
    EXPECT_TRUE(view->OnCommand(ID_SEARCH_JUMP_TO_TIME));
    EXPECT_EQ(view->CurrentBlockNumber(), 22u);
    EXPECT_EQ(view->SelectionCount(), 1u);
    EXPECT_EQ(ui.statuses.back(), "Went to 00:01.5, block 22");

    ui.AnswerText("10:00");
    view->OnCommand(ID_SEARCH_JUMP_TO_TIME);
    EXPECT_EQ(view->CurrentBlockNumber(), 40u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "The demo is only 00:03.3 long: going to its last frame.");

    ui.Clear();
    ui.AnswerText("soon");
    view->OnCommand(ID_SEARCH_JUMP_TO_TIME);
    EXPECT_EQ(view->CurrentBlockNumber(), 40u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("mm:ss.t"), std::string::npos);
}

TEST_F(ViewTest, HomeAndEndGoToTheFirstBlockOfPlayAndTheLastBlock) {
    Open(SampleDemo(30, 7));
    Goto(12);
    EXPECT_TRUE(view->OnCommand(ID_VIEW_LAST_BLOCK));
    EXPECT_EQ(view->CurrentBlockNumber(), 30u);
    EXPECT_TRUE(view->OnCommand(ID_VIEW_FIRST_PLAY_BLOCK));
    EXPECT_EQ(view->CurrentBlockNumber(), 7u);
    EXPECT_EQ(CurrentTag(), "f7");
}

} // namespace
