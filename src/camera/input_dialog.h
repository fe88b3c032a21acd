// The authors' one-line input dialog: asks under a prompt and hands back the text, "X"
// standing for no answer (cancelled or empty), as the key handlers expect it.
#pragma once

#include <string>

// The dialog's prompt, kept between questions; the key handlers set it before they ask.
extern std::string promptText;

class InputDialog {
public:
    static constexpr size_t kEntryLimit = 1023;  // characters the entry holds

    // Opens the dialog, after setting the prompt when one is given, and leaves the answer in
    // `answer`; true when there is one (the text does not start with 'X'). Closing the
    // dialog's window ends the process.
    static bool ask(const char* prompt, std::string& answer);
};
