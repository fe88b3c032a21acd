// The ui of the offline modes: nobody is there to answer, so every message goes to
// standard error and every question takes its default answer.
#include <cstdio>

#include "platform/ui.h"

namespace platform {
namespace {

class NonInteractiveUi : public Ui {
public:
    Answer startupDialog(bool& fullscreen) override {
        fullscreen = false;
        return Answer::Ok;
    }

    Answer messageBox(const std::string& text, const std::string& caption, Buttons buttons,
                      Icon) override {
        if (caption.empty()) {
            std::fprintf(stderr, "tarvel: %s\n", text.c_str());
        } else {
            std::fprintf(stderr, "tarvel: %s: %s\n", caption.c_str(), text.c_str());
        }
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }

    InputResult inputDialog(const std::string&, const std::string&) override {
        return {Answer::Cancel, {}};
    }

    bool openLogWindow(const std::string&, std::function<void()>) override { return true; }
    void setLogText(const std::string&) override {}
};

std::unique_ptr<Ui>& current() {
    static std::unique_ptr<Ui> ui = makeNonInteractiveUi();
    return ui;
}

}  // namespace

std::unique_ptr<Ui> makeNonInteractiveUi() {
    return std::make_unique<NonInteractiveUi>();
}

Ui& ui() {
    return *current();
}

void setUi(std::unique_ptr<Ui> replacement) {
    current() = replacement ? std::move(replacement) : makeNonInteractiveUi();
}

}  // namespace platform
