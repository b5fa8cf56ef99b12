#include "scripted_ui.h"

#include "editor/block_selection.h"

bool ScriptedUi::Ask(const std::string& text) {
    transcript.push_back("ask: " + text);
    if (askAnswers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return false;
    }
    bool answer = askAnswers.front();
    askAnswers.pop_front();
    return answer;
}

bool ScriptedUi::RunNumberDlg(NumberDlgData& data) {
    transcript.push_back("number: " + std::to_string(data.number));
    if (numberAnswers.empty()) {
        ADD_FAILURE() << "unexpected number dialog";
        return false;
    }
    std::optional<NumberDlgData> answer = numberAnswers.front();
    numberAnswers.pop_front();
    if (!answer) {
        return false;
    }
    data.number = answer->number;
    return true;
}

bool ScriptedUi::RunBlockSelectionDlg(BlockSelectionDlgData& data) {
    transcript.push_back("selection: " + std::to_string(data.first) + " " + data.lastText + " " +
                         data.countText);
    if (selectionAnswers.empty()) {
        ADD_FAILURE() << "unexpected block selection dialog";
        return false;
    }
    auto answer = std::move(selectionAnswers.front());
    selectionAnswers.pop_front();
    return answer(data);
}

bool ScriptedUi::RunMessageTypeDlg(MessageTypeDlgData& data) {
    transcript.push_back("message type: " + data.text);
    if (messageTypeAnswers.empty()) {
        ADD_FAILURE() << "unexpected message type dialog";
        return false;
    }
    std::optional<std::string> answer = messageTypeAnswers.front();
    messageTypeAnswers.pop_front();
    if (!answer) {
        return false;
    }
    data.text = *answer;
    int row = FindMessageTypePrefix(*answer);
    data.chosenType = row < 0 ? -1 : MessageTypeEntries()[static_cast<size_t>(row)].type;
    return true;
}

bool ScriptedUi::RunTextEntryDlg(TextEntryDlgData& data) {
    transcript.push_back("text: " + data.prompt);
    if (textAnswers.empty()) {
        ADD_FAILURE() << "unexpected text entry dialog";
        return false;
    }
    std::optional<std::string> answer = textAnswers.front();
    textAnswers.pop_front();
    if (!answer) {
        return false;
    }
    data.text = *answer;
    return true;
}

bool ScriptedUi::RunDemoInfoDlg(DemoInfoDlgData& data) {
    transcript.emplace_back("demo info");
    if (demoInfoAnswers.empty()) {
        ADD_FAILURE() << "unexpected Demo Info dialog";
        return false;
    }
    auto answer = std::move(demoInfoAnswers.front());
    demoInfoAnswers.pop_front();
    return answer(data);
}

bool ScriptedUi::RunAdvancedSearchDlg(AdvancedSearchDlgData& data) {
    transcript.emplace_back("advanced search");
    if (advancedSearchAnswers.empty()) {
        ADD_FAILURE() << "unexpected advanced search dialog";
        return false;
    }
    std::optional<AdvancedSearchDlgData> answer = advancedSearchAnswers.front();
    advancedSearchAnswers.pop_front();
    if (!answer) {
        return false;
    }
    data = *answer;
    return true;
}

void ScriptedUi::AnswerSelectionCount(const std::string& countText) {
    selectionAnswers.emplace_back([countText](BlockSelectionDlgData& data) {
        ReadBlockSelectionTexts(data); // the dialog opens
        data.countText = countText;
        OnBlockSelectionCountChanged(data);
        ReadBlockSelectionTexts(data); // OK
        return true;
    });
}

bool ScriptedUi::RunEntityDescriptionDlg(EntityDescriptionDlgData& data) {
    transcript.push_back("description: " + data.text);
    if (descriptionAnswers.empty()) {
        ADD_FAILURE() << "unexpected entity description dialog";
        return false;
    }
    std::optional<std::string> answer = descriptionAnswers.front();
    descriptionAnswers.pop_front();
    if (!answer) {
        return false;
    }
    data.text = *answer;
    return true;
}
