// The search commands: the matcher, Find Text and Find Message Type with their repeats in both
// directions, Keyword Search Models, their guards and their not-found texts, and the text
// searches following edits of the demo (texts, messages, blocks, undo).
#include "search_demo.h"
#include "search_walk.h"
#include "view_fixture.h"

#include "demo/demo_block.h"
#include "editor/block_buffer.h"
#include "editor/command_ids.h"
#include "editor/pages/message_page.h"
#include "editor/search.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace edtest;

namespace {

class SearchTest : public ViewTest {
  protected:
    void SetUp() override {
        Open(SearchDemo());
        ASSERT_EQ(doc->blockCount, 12u);
        ASSERT_EQ(view->CurrentBlockNumber(), 6u);
    }
    std::string At() const { return Where(*view); }
    void GoTo(uint32_t block, uint32_t message) {
        view->OnUpdate(&other, kHintGotoMessage, {block, message});
        ASSERT_EQ(At(), std::to_string(block) + "." + std::to_string(message));
    }
    void Run(int id) { ASSERT_TRUE(view->OnCommand(id)); }

    // The places F3 stops at from 1.1 for `text`, in order. Shift+F3 from the last of them must
    // visit the same places back, ListTextMatches must list them, and every block's count of
    // messages carrying a text must be what its messages say.
    std::vector<std::string> Matches(const std::string& text) {
        for (const DemoBlock* b = doc->FirstBlock(); b != nullptr; b = b->next) {
            uint32_t texts = 0;
            for (const DemoMessage* m = b->FirstMessage(); m != nullptr; m = m->next) {
                texts += CarriesText(m->type) ? 1 : 0;
            }
            EXPECT_EQ(b->TextMessageCount(), texts) << "block " << Tag(b);
        }
        GoTo(1, 1);
        view->lastSearchText = text;
        const std::vector<std::string> forwards = RepeatSearch(*view, ui, ID_SEARCH_TEXT_FORWARDS);
        std::vector<std::string> backwards = RepeatSearch(*view, ui, ID_SEARCH_TEXT_BACKWARDS);
        if (!forwards.empty()) {
            backwards.insert(backwards.begin(), forwards.back());
        }
        EXPECT_EQ(std::vector<std::string>(backwards.rbegin(), backwards.rend()), forwards);
        std::vector<std::string> listed;
        for (const SearchMatch& m : ListTextMatches(*doc, text)) {
            listed.push_back(std::to_string(m.block) + "." + std::to_string(m.message));
        }
        EXPECT_EQ(listed, forwards);
        return forwards;
    }
    using Places = std::vector<std::string>;
};

TEST(SearchMatcher, IgnoresTheCaseOfAsciiLettersOnlyBothWays) {
    EXPECT_TRUE(TextContains("Grunt was blasted by a rocket", "ROCKET"));
    EXPECT_TRUE(TextContains("ROCKET", "rocket"));
    EXPECT_TRUE(TextContains("anything", ""));
    EXPECT_FALSE(TextContains("rock", "rocket"));
    // High-bit characters (the game's coloured letters) are compared as they are: 0xC1 and
    // 0xE1 differ like 'A' and 'a' in some character sets, but are not letters to fold here.
    EXPECT_TRUE(TextContains("x\xC1y", "X\xC1Y"));
    EXPECT_FALSE(TextContains("x\xC1y", "x\xE1y"));
    EXPECT_FALSE(TextContains("\xC1", "\xE1"));
}

TEST(SearchMatcher, TheSearchedTextsAreThoseOfTheMessagesBlocksCountAsCarryingOne) {
    for (int type = 0; type < 256; ++type) {
        const MessagePtr m = NewMessage(static_cast<uint8_t>(type));
        EXPECT_EQ(SearchedText(*m) != nullptr, CarriesText(m->type)) << type;
    }
}

TEST_F(SearchTest, OnlyTheFiveTextTypesAreSearched) {
    const DemoBlock* b1 = doc->BlockAt(1);
    uint32_t number = 0;
    // Configstring values are searched (the signon's sound name in block 1).
    ASSERT_NE(FindTextInBlock(b1, "jump1", number), nullptr);
    EXPECT_EQ(b1->MessageAt(number)->type, svc_configstring);
    // Sounds carry no text: block 10 has none to find, whatever the needle.
    number = 0;
    EXPECT_EQ(FindTextInBlock(doc->BlockAt(10), "", number)->type, svc_print);
    number = 4;
    EXPECT_EQ(FindTextInBlock(doc->BlockAt(10), "", number), nullptr);
    EXPECT_EQ(number, 0u);
    // A start past the first match finds the next one.
    number = 5;
    ASSERT_NE(FindTextInBlock(doc->BlockAt(9), "", number), nullptr);
    EXPECT_EQ(number, 5u);
    EXPECT_EQ(doc->BlockAt(9)->MessageAt(5)->type, svc_layout);
}

TEST_F(SearchTest, FindTextAndItsRepeatsWalkEveryMatchBothWaysReachingTheLastBlock) {
    ui.AnswerText("ROCKET");
    Run(ID_SEARCH_FIND_TEXT);
    EXPECT_EQ(At(), "9.5"); // the layout's "Rocket": case ignored
    EXPECT_EQ(view->lastSearchText, "ROCKET") << "the typed text is kept as typed";
    Run(ID_SEARCH_TEXT_FORWARDS);
    EXPECT_EQ(At(), "12.4") << "the demo's last block is searched";
    Run(ID_SEARCH_TEXT_FORWARDS);
    EXPECT_EQ(At(), "12.4");
    EXPECT_EQ(ui.messages, std::vector<std::string>{kNoMoreTextForwardsText});
    EXPECT_EQ(view->lastSearchText, "ROCKET");
    // Backwards ignores case too, and stops at block 1.
    Run(ID_SEARCH_TEXT_BACKWARDS);
    EXPECT_EQ(At(), "9.5");
    ui.Clear();
    Run(ID_SEARCH_TEXT_BACKWARDS);
    EXPECT_EQ(At(), "9.5");
    EXPECT_EQ(ui.messages, std::vector<std::string>{kNoMoreTextBackwardsText});
}

TEST_F(SearchTest, BackwardsTestsTheMessagesBeforeTheCurrentOneDownToBlockOne) {
    GoTo(7, 3);
    ui.AnswerText("b7 m2");
    Run(ID_SEARCH_TEXT_BACKWARDS); // no text yet: it prompts
    EXPECT_EQ(At(), "7.3") << "the current message itself is not a match";
    EXPECT_EQ(ui.messages, std::vector<std::string>{kNoMoreTextBackwardsText});
    view->lastSearchText = "SIGNON";
    Run(ID_SEARCH_TEXT_BACKWARDS);
    EXPECT_EQ(At(), "5.1");
    view->lastSearchText = "ambient";
    Run(ID_SEARCH_TEXT_BACKWARDS);
    EXPECT_EQ(At(), "1.3");
}

TEST_F(SearchTest, AFailedFindTextEmptiesTheTextSoF3PromptsAgain) {
    GoTo(8, 2);
    ui.AnswerText("nowhere");
    Run(ID_SEARCH_FIND_TEXT);
    EXPECT_EQ(At(), "8.2") << "not found leaves the view where it was";
    EXPECT_EQ(ui.messages, std::vector<std::string>{kTextNotFoundText});
    EXPECT_EQ(view->lastSearchText, "");
    ui.AnswerText("fraglimit");
    Run(ID_SEARCH_TEXT_FORWARDS);
    EXPECT_EQ(std::count(ui.transcript.begin(), ui.transcript.end(), "text: Enter text:"), 2);
    EXPECT_EQ(view->lastSearchText, "fraglimit");
    // Not from 8.2 on: it is behind.
    EXPECT_EQ(At(), "8.2");
    EXPECT_EQ(ui.messages.back(), kNoMoreTextForwardsText);
}

TEST_F(SearchTest, AFailedF3KeepsTheTextAndRepeatsItWithoutAPrompt) {
    view->lastSearchText = "Fraglimit";
    Run(ID_SEARCH_TEXT_FORWARDS);
    EXPECT_EQ(At(), "7.4");
    Run(ID_SEARCH_TEXT_FORWARDS);
    Run(ID_SEARCH_TEXT_FORWARDS); // no prompt: an unexpected one would fail the test
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{kNoMoreTextForwardsText, kNoMoreTextForwardsText}));
    EXPECT_EQ(view->lastSearchText, "Fraglimit");
}

TEST_F(SearchTest, CancelInThePromptsChangesNothing) {
    view->lastSearchText = "kept";
    ui.CancelText();
    Run(ID_SEARCH_FIND_TEXT);
    EXPECT_EQ(view->lastSearchText, "kept");
    view->lastSearchText.clear();
    ui.CancelText();
    Run(ID_SEARCH_TEXT_FORWARDS);
    ui.CancelText();
    Run(ID_SEARCH_TEXT_BACKWARDS);
    ui.messageTypeAnswers.emplace_back(std::nullopt);
    Run(ID_SEARCH_FIND_TYPE);
    ui.messageTypeAnswers.emplace_back(std::nullopt);
    Run(ID_SEARCH_TYPE_FORWARDS);
    EXPECT_EQ(view->lastSearchType, kNoSearchType);
    EXPECT_EQ(At(), "6.1");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SearchTest, FindMessageTypeAndItsRepeats) {
    ui.AnswerMessageType("sou");
    Run(ID_SEARCH_FIND_TYPE);
    EXPECT_EQ(ui.transcript.front(), std::string("message type: ") + kFindTypePrompt);
    EXPECT_EQ(view->lastSearchType, svc_sound);
    EXPECT_EQ(At(), "7.5");
    Run(ID_SEARCH_TYPE_FORWARDS);
    EXPECT_EQ(At(), "10.4");
    Run(ID_SEARCH_TYPE_FORWARDS);
    EXPECT_EQ(At(), "10.5");
    Run(ID_SEARCH_TYPE_FORWARDS);
    EXPECT_EQ(At(), "10.5");
    EXPECT_EQ(ui.messages, std::vector<std::string>{kNoMoreTypeForwardsText});
    EXPECT_EQ(view->lastSearchType, svc_sound);
    Run(ID_SEARCH_TYPE_BACKWARDS);
    EXPECT_EQ(At(), "10.4");
    Run(ID_SEARCH_TYPE_BACKWARDS);
    EXPECT_EQ(At(), "7.5");
    Run(ID_SEARCH_TYPE_BACKWARDS);
    EXPECT_EQ(At(), "7.5");
    EXPECT_EQ(ui.messages.back(), kNoMoreTypeBackwardsText);
}

TEST_F(SearchTest, AFailedFindMessageTypeResetsTheTypeSoF4PromptsAgain) {
    ui.AnswerMessageType("inv");
    Run(ID_SEARCH_FIND_TYPE);
    EXPECT_EQ(view->lastSearchType, kNoSearchType);
    EXPECT_EQ(ui.messages, std::vector<std::string>{kTypeNotFoundText});
    EXPECT_EQ(At(), "6.1");
    // Nothing selected in the list: every id of 128 or more, of which there is none.
    ui.AnswerMessageType("no such type");
    Run(ID_SEARCH_TYPE_FORWARDS);
    EXPECT_EQ(view->lastSearchType, kHighTypes);
    EXPECT_EQ(ui.messages.back(), kNoMoreTypeForwardsText);
    // The centre print, found backwards from the last block.
    GoTo(12, 4);
    ui.AnswerMessageType("cen");
    view->lastSearchType = kNoSearchType;
    Run(ID_SEARCH_TYPE_BACKWARDS);
    EXPECT_EQ(At(), "7.4");
}

TEST_F(SearchTest, AMatchInTheLastBlocksLastMessageIsFoundByTypeToo) {
    GoTo(11, 3);
    view->lastSearchType = svc_print;
    Run(ID_SEARCH_TYPE_FORWARDS);
    EXPECT_EQ(At(), "12.2");
    GoTo(12, 3);
    Run(ID_SEARCH_TYPE_FORWARDS);
    EXPECT_EQ(At(), "12.4");
}

TEST_F(SearchTest, KeywordSearchModelsNamesTheFirstModelHoldingTheKeyword) {
    ui.AnswerText("SAMPLE");
    Run(ID_TOOLS_KEYWORD_SEARCH_MODELS);
    EXPECT_EQ(ui.transcript.front(), "text: Enter text:");
    ui.AnswerText("railgun");
    Run(ID_TOOLS_KEYWORD_SEARCH_MODELS);
    ui.CancelText();
    Run(ID_TOOLS_KEYWORD_SEARCH_MODELS);
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{ModelFoundText(1, "maps/sample1.bsp"), kNoModelFoundText}));
    EXPECT_EQ(ModelFoundText(1, "maps/sample1.bsp"),
              "Found a match! ModelIndex 1, 'maps/sample1.bsp'.");
    EXPECT_EQ(At(), "6.1");
}

TEST(SearchGuards, WithoutACurrentBlockTheCommandsDoNothing) {
    auto doc = LoadDoc(SearchDemo());
    ScriptedUi ui;
    RecordingDisplay display;
    CTreskView view(*doc, ui, display); // before its initial update
    for (int id : {ID_SEARCH_FIND_TEXT, ID_SEARCH_TEXT_FORWARDS, ID_SEARCH_TEXT_BACKWARDS,
                   ID_SEARCH_FIND_TYPE, ID_SEARCH_TYPE_FORWARDS, ID_SEARCH_TYPE_BACKWARDS,
                   ID_TOOLS_KEYWORD_SEARCH_MODELS}) {
        EXPECT_TRUE(view.OnCommand(id));
    }
    EXPECT_TRUE(ui.transcript.empty());
}

TEST_F(SearchTest, ListsOfMatchesFollowTheDemoOrder) {
    std::vector<std::string> found;
    for (const SearchMatch& m : ListTextMatches(*doc, "rocket")) {
        found.push_back(std::to_string(m.block) + "." + std::to_string(m.message));
    }
    EXPECT_EQ(found, (std::vector<std::string>{"9.5", "12.4"}));
    EXPECT_EQ(ListTypeMatches(*doc, svc_sound).size(), 3u);
    EXPECT_EQ(ListTypeMatches(*doc, kHighTypes).size(), 0u);
}

TEST_F(SearchTest, ATextEditedOnItsPageIsFoundAsItNowReadsAndUndoBringsTheOldOneBack) {
    ASSERT_EQ(Matches("rocket"), (Places{"9.5", "12.4"}));
    GoTo(12, 4);
    ASSERT_NE(view->ShownPage(), nullptr);
    view->ShownPage()->SetValue("text", "Grunt was squished by a RAILGUN\n");
    EXPECT_EQ(Matches("railgun"), Places{"12.4"}) << "leaving the page stores the edit";
    EXPECT_EQ(Matches("rocket"), Places{"9.5"});
    GoTo(9, 5);
    view->ShownPage()->SetValue("text", "xv 0 string \"Railgun\"");
    EXPECT_EQ(Matches("railgun"), (Places{"9.5", "12.4"}));
    EXPECT_EQ(Matches("rocket"), Places{});
    Run(ID_EDIT_UNDO);
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Matches("rocket"), (Places{"9.5", "12.4"}));
    EXPECT_EQ(Matches("railgun"), Places{});
    Run(ID_EDIT_REDO);
    EXPECT_EQ(Matches("railgun"), Places{"12.4"});
}

TEST_F(SearchTest, ABlockLeftWithoutTextsAndATextAddedAfterItsFrameAreSearchedRight) {
    view->skipDeleteConfirmation = true;
    ASSERT_EQ(Matches("b11 m"), (Places{"11.2", "11.3"}));
    GoTo(11, 2);
    view->OnDeleteMessage();
    GoTo(11, 2);
    view->OnDeleteMessage();
    ASSERT_EQ(doc->BlockAt(11)->MessageCount(), 1u); // its frame
    EXPECT_EQ(Matches("b11"), Places{});
    EXPECT_EQ(Matches("m2"), (Places{"6.3", "7.3", "8.3", "9.3", "10.3", "12.3"}));
    GoTo(11, 1);
    ui.AnswerMessageType("print");
    view->OnAddNewMessage();
    EXPECT_EQ(At(), "11.2");
    view->ShownPage()->SetValue("text", "b11 once more");
    EXPECT_EQ(Matches("B11"), Places{"11.2"});
    Run(ID_EDIT_UNDO); // the text
    EXPECT_EQ(Matches("b11"), Places{});
    Run(ID_EDIT_UNDO); // the print
    Run(ID_EDIT_UNDO);
    Run(ID_EDIT_UNDO); // both deletions
    EXPECT_EQ(Matches("b11 m"), (Places{"11.2", "11.3"}));
}

TEST_F(SearchTest, CutPasteAndTheirUndoMoveTheMatchesWithTheirBlocks) {
    CBlockBuffer buffer;
    view->blockBuffer = &buffer;
    Select(9, 10);
    view->OnEditCut();
    ASSERT_EQ(doc->blockCount, 10u);
    EXPECT_EQ(Matches("rocket"), Places{"10.4"});
    EXPECT_EQ(Matches("secret"), Places{});
    GoTo(6, 1);
    view->OnEditPaste();
    ASSERT_EQ(doc->blockCount, 12u);
    EXPECT_EQ(Matches("rocket"), (Places{"7.5", "12.4"}));
    EXPECT_EQ(Matches("secret"), Places{"7.4"});
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Matches("rocket"), Places{"10.4"});
    Run(ID_EDIT_UNDO);
    EXPECT_EQ(Matches("rocket"), (Places{"9.5", "12.4"}));
    EXPECT_EQ(Matches("secret"), Places{"9.4"});
    Run(ID_EDIT_REDO);
    EXPECT_EQ(Matches("rocket"), Places{"10.4"});
}

} // namespace
