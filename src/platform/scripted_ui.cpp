#include "platform/scripted_ui.h"

namespace platform {

Answer ScriptedUi::startupDialog(bool& fullscreen) {
    fullscreen = true;
    if (!startupFullscreen.empty()) {
        fullscreen = startupFullscreen.front();
        startupFullscreen.pop_front();
    }
    if (startupAnswers.empty()) {
        return Answer::Ok;
    }
    Answer answer = startupAnswers.front();
    startupAnswers.pop_front();
    return answer;
}

Answer ScriptedUi::messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                              Icon icon) {
    messages.push_back({text, caption, buttons, icon});
    if (messageAnswers.empty()) {
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    Answer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

InputResult ScriptedUi::inputDialog(const std::string&, const std::string& prompt) {
    inputPrompts.push_back(prompt);
    if (inputAnswers.empty()) {
        return {Answer::Cancel, {}};
    }
    InputResult result = inputAnswers.front();
    inputAnswers.pop_front();
    return result;
}

bool ScriptedUi::openLogWindow(const std::string& title, std::function<void()> onClose) {
    if (refuseLogWindow) {
        return false;
    }
    logTitle = title;
    logWindowOpen = true;
    closeLogWindow = std::move(onClose);
    return true;
}

void ScriptedUi::setLogText(const std::string& text) {
    logText = text;
}

}  // namespace platform
