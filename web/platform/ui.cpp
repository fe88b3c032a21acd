// The page's own dialogs. The start panel runs in the page before the program starts, so
// the start-up dialog here only reports what the page chose. A message box cannot stop a
// page: it becomes a notice on the page (its line on standard error, which the page shows
// once); a Yes/No question is the browser's confirm, the input dialog its prompt; the log
// window is the authoring panel.
#include <emscripten/emscripten.h>

#include <cstdio>
#include <cstdlib>

#include "platform/startup_picture.h"
#include "platform/ui.h"

namespace platform {
namespace {

// The page's hooks (web/page.js); each does nothing when the page lacks it.
// clang-format off
EM_JS(void, pageLog, (const char* text), {
    const page = Module["tarvelPage"];
    if (page && page.log)
        page.log(UTF8ToString(text));
});
// clang-format on

// clang-format off
EM_JS(bool, pageOpenLog, (const char* title), {
    const page = Module["tarvelPage"];
    return !!(page && page.openLog && page.openLog(UTF8ToString(title)));
});
// clang-format on

// clang-format off
EM_JS(bool, pageConfirm, (const char* caption, const char* text), {
    const question = UTF8ToString(caption);
    const said = UTF8ToString(text);
    return window.confirm(question == said ? said : question + "\n" + said);
});
// clang-format on

// Returns the typed text (malloc'd), or null for Cancel.
// clang-format off
EM_JS(char*, pagePrompt, (const char* caption, const char* prompt), {
    const answer = window.prompt(UTF8ToString(caption) + "\n" + UTF8ToString(prompt), "");
    if (answer == null)
        return 0;
    const size = lengthBytesUTF8(answer) + 1;
    const text = _malloc(size);
    stringToUTF8(answer, text, size);
    return text;
});
// clang-format on

class WebUi : public Ui {
public:
    Answer startupDialog(bool& fullscreen) override {
        fullscreen = false;  // the page went fullscreen itself, if asked
        return Answer::Ok;
    }

    Answer messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                      Icon) override {
        if (buttons == Buttons::YesNo)
            return pageConfirm(caption.c_str(), text.c_str()) ? Answer::Yes : Answer::No;
        std::fprintf(stderr, "tarvel: %s%s%s\n", caption.c_str(), caption.empty() ? "" : ": ",
                     text.c_str());
        return Answer::Ok;
    }

    // A notice holds nothing: a pause waits for its key again.
    bool messagesWait() const override { return false; }

    InputResult inputDialog(const std::string& caption, const std::string& prompt) override {
        char* typed = pagePrompt(caption.c_str(), prompt.c_str());
        if (!typed)
            return {Answer::Cancel, {}};
        InputResult result{Answer::Ok, typed};
        std::free(typed);
        return result;
    }

    // The panel has no close box: closing a page's panel must not end the show.
    bool openLogWindow(const std::string& title, std::function<void()>) override {
        return pageOpenLog(title.c_str());
    }

    void setLogText(const std::string& text) override { pageLog(text.c_str()); }
};

}  // namespace

std::unique_ptr<Ui> makeInteractiveUi() {
    return std::make_unique<WebUi>();
}

}  // namespace platform

// The start panel's picture for the page, before the program starts: RGB rows top-down.
extern "C" EMSCRIPTEN_KEEPALIVE const uint8_t* tarvel_startup_picture(int* width, int* height) {
    static const std::vector<uint8_t> picture = platform::startupPicture();
    *width = platform::kStartupPictureWidth;
    *height = platform::kStartupPictureHeight;
    return picture.data();
}
