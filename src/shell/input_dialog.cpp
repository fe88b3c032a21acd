#include "shell/input_dialog.h"

#include "platform/process.h"
#include "platform/ui.h"

namespace {
constexpr char kNoAnswer = 'X';
}

void InputDialog::tell(const char* text) {
    platform::ui().messageBox(text, text, platform::Buttons::Ok, platform::Icon::Information);
}

bool InputDialog::ask(const char* prompt, std::string& answer) {
    if (prompt) {
        prompt_ = prompt;
    }
    platform::InputResult result = platform::ui().inputDialog("Input", prompt_);
    // Built by size, not from a literal: GCC 12 warns wrongly on assigning one here at -O3.
    std::string given(1, kNoAnswer);
    switch (result.answer) {
        case platform::Answer::Ok:
            if (!result.text.empty()) {
                given = result.text.substr(0, kEntryLimit);
            }
            break;
        case platform::Answer::Closed:
            platform::exitProcess(-1);  // returns only when a test stands in for the exit
            break;
        default:
            break;
    }
    answer.swap(given);
    return !answer.empty() && answer[0] != kNoAnswer;
}
