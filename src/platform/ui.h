// Dialogs, message boxes and the log window's view. Three implementations: GTK (the
// show), scripted (tests: answers queued, messages recorded) and non-interactive (offline
// modes: messages to standard error, questions get their default answer).
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace platform {

enum class Buttons { Ok, YesNo };
enum class Icon { Information, Exclamation, Stop };
enum class Answer { Ok, Cancel, Yes, No, Closed };

// What the log window shows: the lines at the top and at the bottom of its view, and
// whether its left edge is in view (long lines wrap instead of scrolling sideways).
struct LogInView {
    std::string firstLine;  // the line at the top, even if only its lower part shows
    std::string lastLine;   // the last line shown whole
    bool leftEdge = true;
};

struct InputResult {
    Answer answer = Answer::Cancel;  // Ok, Cancel or Closed (the close box)
    std::string text;                // what was typed, for Ok
};

class Ui {
public:
    virtual ~Ui() = default;

    // The start-up dialog: returns Ok (with `fullscreen` set from the check box, which
    // starts checked), Cancel or Closed.
    virtual Answer startupDialog(bool& fullscreen) = 0;

    // A modal message box; returns Ok, Yes or No.
    virtual Answer messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                              Icon icon) = 0;
    // Whether a message box holds the program until it is answered. A page's cannot: what
    // waits on a box there (the pause) waits for its key again instead.
    virtual bool messagesWait() const { return true; }

    // The modal input dialog with a prompt and an empty entry.
    virtual InputResult inputDialog(const std::string& caption, const std::string& prompt) = 0;

    // The modeless log window. onClose runs when its close box is used.
    virtual bool openLogWindow(const std::string& title, std::function<void()> onClose) = 0;
    // Replaces the log window's whole text and scrolls its newest line into view.
    virtual void setLogText(const std::string& text) = 0;
    // What the log window shows now; empty where there is no window to look at.
    virtual LogInView logInView() { return {}; }

    // Lets pending events of the dialogs run; called from the main loop's idle pass.
    virtual void pump() {}
};

// The process-wide ui; non-interactive until replaced.
Ui& ui();
void setUi(std::unique_ptr<Ui> replacement);

// The dialogs of this build: GTK on the desktop (nullptr when no display can be opened),
// the page's own panels in the browser.
std::unique_ptr<Ui> makeInteractiveUi();
std::unique_ptr<Ui> makeNonInteractiveUi();

}  // namespace platform
