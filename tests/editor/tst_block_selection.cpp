// The "Block Selection" dialog's coupling of its last-block and count fields.
#include "editor/block_selection.h"

#include <gtest/gtest.h>

namespace {

BlockSelectionDlgData Opened(uint32_t first, uint32_t count) {
    BlockSelectionDlgData d;
    PresetBlockSelection(d, first, count);
    ReadBlockSelectionTexts(d);
    return d;
}

TEST(BlockSelection, OpensWithTheCurrentRun) {
    BlockSelectionDlgData d = Opened(12, 4);
    EXPECT_EQ(d.first, 12);
    EXPECT_EQ(d.lastText, "15");
    EXPECT_EQ(d.countText, "4");
    EXPECT_EQ(d.last, 15);
    EXPECT_EQ(d.count, 4);
}

TEST(BlockSelection, TheLastBlockSetsTheCountBothWays) {
    BlockSelectionDlgData d = Opened(10, 1);
    d.lastText = "14";
    OnBlockSelectionLastChanged(d);
    EXPECT_EQ(d.countText, "5");
    d.lastText = "10";
    OnBlockSelectionLastChanged(d);
    EXPECT_EQ(d.countText, "1");
    d.lastText = "8"; // before the first block: a backward count that ends at block 10
    OnBlockSelectionLastChanged(d);
    EXPECT_EQ(d.countText, "-3");
    EXPECT_EQ(d.count, -3);
}

TEST(BlockSelection, TheCountSetsTheLastBlockBothWays) {
    BlockSelectionDlgData d = Opened(10, 1);
    d.countText = "3";
    OnBlockSelectionCountChanged(d);
    EXPECT_EQ(d.lastText, "12");
    d.countText = "-3";
    OnBlockSelectionCountChanged(d);
    EXPECT_EQ(d.lastText, "8");
    EXPECT_EQ(d.last, 8);
    // Each direction undoes the other for counts other than -1.
    OnBlockSelectionLastChanged(d);
    EXPECT_EQ(d.countText, "-3");
}

TEST(BlockSelection, ZeroOrTextThatIsNoNumberChangesNothing) {
    BlockSelectionDlgData d = Opened(10, 2);
    for (const char* text : {"0", "", "abc", "-"}) {
        d.countText = text;
        OnBlockSelectionCountChanged(d);
        EXPECT_EQ(d.lastText, "11") << text;
        d.lastText = text;
        OnBlockSelectionLastChanged(d);
        EXPECT_EQ(d.countText, text) << text;
        d.lastText = "11";
    }
}

TEST(BlockSelection, ReadsTheLeadingNumberOfAText) {
    EXPECT_EQ(DialogTextToInt(" 42"), 42);
    EXPECT_EQ(DialogTextToInt("-7x"), -7);
    EXPECT_EQ(DialogTextToInt("+5"), 5);
    EXPECT_EQ(DialogTextToInt("x5"), 0);
    EXPECT_EQ(DialogTextToInt("99999999999"), 0); // does not fit
}

TEST(BlockSelection, ExtremeValuesStayInRange) {
    BlockSelectionDlgData d = Opened(5, 1);
    d.lastText = "-2147483648";
    OnBlockSelectionLastChanged(d);
    EXPECT_EQ(d.count, INT32_MIN);
    d.countText = "2147483647";
    OnBlockSelectionCountChanged(d);
    EXPECT_EQ(d.last, INT32_MAX);
}

} // namespace
