#include "camera/input_dialog.h"

#include "platform/process.h"
#include "platform/ui.h"

std::string promptText;

bool InputDialog::ask(const char* prompt, std::string& answer) {
    if (prompt) {
        promptText = prompt;
    }
    platform::InputResult result = platform::ui().inputDialog("Input", promptText);
    switch (result.answer) {
        case platform::Answer::Ok:
            answer = result.text.empty() ? std::string("X") : result.text.substr(0, kEntryLimit);
            break;
        case platform::Answer::Closed:
            platform::exitProcess(-1);
            answer = "X";  // only reached when a test handler stands in for the exit
            break;
        default:
            answer = "X";
            break;
    }
    return !answer.empty() && answer[0] != 'X';
}
