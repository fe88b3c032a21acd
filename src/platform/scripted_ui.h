// A ui for tests: answers come from queues, every message and the log text are recorded.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/ui.h"

namespace platform {

class ScriptedUi : public Ui {
public:
    struct Message {
        std::string text;
        std::string caption;
        Buttons buttons;
        Icon icon;
    };

    Answer startupDialog(bool& fullscreen) override;
    Answer messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                      Icon icon) override;
    InputResult inputDialog(const std::string& caption, const std::string& prompt) override;
    bool openLogWindow(const std::string& title, std::function<void()> onClose) override;
    void setLogText(const std::string& text) override;
    bool messagesWait() const override { return boxesWait; }

    // Queued answers; when a queue is empty the default is used (Ok, Yes, Cancel).
    std::deque<Answer> startupAnswers;
    std::deque<bool> startupFullscreen;
    std::deque<Answer> messageAnswers;
    std::deque<InputResult> inputAnswers;

    std::vector<Message> messages;
    std::vector<std::string> inputPrompts;
    std::string logTitle;
    std::string logText;
    bool logWindowOpen = false;
    bool refuseLogWindow = false;
    bool boxesWait = true;                 // false: boxes as a page shows them, answered at once
    std::function<void()> closeLogWindow;  // the close box, as the ui would call it
};

}  // namespace platform
