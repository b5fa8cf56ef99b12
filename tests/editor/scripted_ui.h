// Test doubles of the editor's ports: a Ui that answers from queues and writes a transcript
// of every call, and a ViewDisplay that records what the view shows.
#pragma once

#include "editor/pages/message_page.h"
#include "editor/ui.h"
#include "editor/view_display.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Answers questions and dialogs from queues filled by the test, in call order. A call whose
// queue is empty fails the test and answers No / Cancel. The transcript holds one line per
// call: "message: <text>", "ask: <text>", "beep", "number: <preset>", "selection: <first>
// <last text> <count text>", "text: <prompt>", "demo info", "advanced search", "copy special
// dialog", "description: <preset>".
class ScriptedUi : public Ui {
  public:
    // An answer to a dialog: nullopt = Cancel; otherwise OK with the struct as given (for the
    // number dialog only the number and text are taken).
    std::deque<bool> askAnswers;
    std::deque<std::optional<NumberDlgData>> numberAnswers;
    std::deque<std::function<bool(BlockSelectionDlgData&)>> selectionAnswers;
    std::deque<std::optional<std::string>> messageTypeAnswers; // the text typed; nullopt = Cancel
    std::deque<std::optional<std::string>> textAnswers;        // the text typed; nullopt = Cancel
    // The film dialogs: the struct as OK leaves it; nullopt = Cancel.
    std::deque<std::optional<FixCameraDlgData>> fixCameraAnswers;
    std::deque<std::optional<ReCameraDlgData>> reCameraAnswers;
    std::deque<std::optional<FovDlgData>> fovAnswers;
    std::deque<std::optional<FrameRateDlgData>> frameRateAnswers;
    std::deque<std::optional<PaletteShiftDlgData>> paletteShiftAnswers;
    std::deque<std::optional<EntityEffectsDlgData>> entityEffectsAnswers;
    // The person in the Demo Info dialog: changes the data as the dialog would (its buttons
    // through the demo_info functions, with this Ui) and answers OK (true) or Cancel.
    std::deque<std::function<bool(DemoInfoDlgData&)>> demoInfoAnswers;
    std::deque<std::optional<AdvancedSearchDlgData>> advancedSearchAnswers; // nullopt = Cancel
    std::deque<std::optional<CopySpecialDlgData>> copySpecialAnswers;       // nullopt = Cancel
    std::deque<std::optional<std::string>> descriptionAnswers; // the text typed; nullopt = Cancel

    std::vector<std::string> transcript;
    std::vector<std::string> messages; // the ShowMessage texts alone
    std::vector<std::string> statuses; // the ShowStatus texts, kept out of the transcript
    int beeps = 0;

    void AnswerAsk(bool yes) { askAnswers.push_back(yes); }
    void AnswerNumber(uint32_t number) {
        NumberDlgData d;
        d.number = number;
        numberAnswers.emplace_back(d);
    }
    void CancelNumber() { numberAnswers.emplace_back(std::nullopt); }
    // OK in the block selection dialog after the person typed `countText` into the count
    // field (the coupling sets the last field).
    void AnswerSelectionCount(const std::string& countText);
    // OK in the message type dialog after typing `text` (the prefix search selects).
    void AnswerMessageType(const std::string& text) { messageTypeAnswers.emplace_back(text); }
    void AnswerText(const std::string& text) { textAnswers.emplace_back(text); }
    void CancelText() { textAnswers.emplace_back(std::nullopt); }
    void AnswerAdvancedSearch(const AdvancedSearchDlgData& data) {
        advancedSearchAnswers.emplace_back(data);
    }
    void CancelAdvancedSearch() { advancedSearchAnswers.emplace_back(std::nullopt); }
    void CancelSelection() {
        selectionAnswers.emplace_back([](BlockSelectionDlgData&) { return false; });
    }

    // Forgets the transcript so far.
    void Clear() {
        transcript.clear();
        messages.clear();
        beeps = 0;
    }
    // Fails the test when an answer was left unused.
    void ExpectAllAnswersUsed() const {
        EXPECT_TRUE(askAnswers.empty()) << "unused Ask answers";
        EXPECT_TRUE(numberAnswers.empty()) << "unused number dialog answers";
        EXPECT_TRUE(selectionAnswers.empty()) << "unused block selection answers";
        EXPECT_TRUE(messageTypeAnswers.empty()) << "unused message type answers";
        EXPECT_TRUE(textAnswers.empty()) << "unused text entry answers";
        EXPECT_TRUE(fixCameraAnswers.empty() && reCameraAnswers.empty() && fovAnswers.empty() &&
                    frameRateAnswers.empty() && paletteShiftAnswers.empty() &&
                    entityEffectsAnswers.empty())
            << "unused film dialog answers";
        EXPECT_TRUE(demoInfoAnswers.empty()) << "unused Demo Info answers";
        EXPECT_TRUE(advancedSearchAnswers.empty()) << "unused advanced search answers";
        EXPECT_TRUE(copySpecialAnswers.empty()) << "unused copy special answers";
        EXPECT_TRUE(descriptionAnswers.empty()) << "unused entity description answers";
    }

    void ShowMessage(const std::string& text) override {
        transcript.push_back("message: " + text);
        messages.push_back(text);
    }
    bool Ask(const std::string& text) override;
    void Beep() override {
        transcript.emplace_back("beep");
        ++beeps;
    }
    bool RunNumberDlg(NumberDlgData& data) override;
    bool RunBlockSelectionDlg(BlockSelectionDlgData& data) override;
    bool RunMessageTypeDlg(MessageTypeDlgData& data) override;
    bool RunTextEntryDlg(TextEntryDlgData& data) override;
    bool RunFixCameraDlg(FixCameraDlgData& data) override {
        return Answer(fixCameraAnswers, data, "fix camera");
    }
    bool RunReCameraDlg(ReCameraDlgData& data) override {
        return Answer(reCameraAnswers, data, "recamera");
    }
    bool RunFovDlg(FovDlgData& data) override { return Answer(fovAnswers, data, "fov"); }
    bool RunFrameRateDlg(FrameRateDlgData& data) override {
        return Answer(frameRateAnswers, data, "frame rate");
    }
    bool RunPaletteShiftDlg(PaletteShiftDlgData& data) override {
        return Answer(paletteShiftAnswers, data, "palette shift");
    }
    bool RunEntityEffectsDlg(EntityEffectsDlgData& data) override {
        return Answer(entityEffectsAnswers, data, "entity effects");
    }
    bool RunDemoInfoDlg(DemoInfoDlgData& data) override;
    bool RunAdvancedSearchDlg(AdvancedSearchDlgData& data) override;
    bool RunCopySpecialDlg(CopySpecialDlgData& data) override {
        return Answer(copySpecialAnswers, data, "copy special");
    }
    // Transcript "description: <preset>".
    bool RunEntityDescriptionDlg(EntityDescriptionDlgData& data) override;
    void ShowStatus(const std::string& text) override { statuses.push_back(text); }

  private:
    template <class T>
    bool Answer(std::deque<std::optional<T>>& answers, T& data, const char* name) {
        transcript.push_back(std::string(name) + " dialog");
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected " << name << " dialog";
            return false;
        }
        std::optional<T> answer = answers.front();
        answers.pop_front();
        if (answer) {
            data = *answer;
        }
        return answer.has_value();
    }
};

// Records what the view shows. StorePageFields runs `onStore` when set (a test can type into
// the page there), and otherwise leaves the page's values as the test set them.
class RecordingDisplay : public ViewDisplay {
  public:
    std::string selectionText, nameText, numberText;
    uint32_t progressLower = 0, progressUpper = 0, progressPosition = 0;
    const MessagePage* shownPage = nullptr;
    int shownPageId = 0; // resource id of the page shown, 0 = none
    int showCount = 0, updateCount = 0, destroyCount = 0, storeCount = 0, focusCount = 0;
    std::function<void(MessagePage&)> onStore;

    void SetSelectionText(const std::string& text) override { selectionText = text; }
    void SetNameText(const std::string& text) override { nameText = text; }
    void SetNumberText(const std::string& text) override { numberText = text; }
    void SetProgressRange(uint32_t lower, uint32_t upper) override {
        progressLower = lower;
        progressUpper = upper;
    }
    void SetProgressPosition(uint32_t position) override { progressPosition = position; }
    void ShowPage(const MessagePage& page) override {
        shownPage = &page;
        shownPageId = page.ResourceId();
        ++showCount;
    }
    void UpdatePage(const MessagePage&) override { ++updateCount; }
    void DestroyPage() override {
        shownPage = nullptr;
        shownPageId = 0;
        ++destroyCount;
    }
    void StorePageFields(MessagePage& page) override {
        ++storeCount;
        if (onStore) {
            onStore(page);
        }
    }
    void FocusView() override { ++focusCount; }
};
