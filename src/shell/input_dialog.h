// The authors' one-line input dialog and message box behind the camera keys: asks under a
// prompt and hands back the text, "X" standing for no answer (cancelled or empty), as the
// key handlers expect it.
#pragma once

#include <string>

#include "camera/camera_questions.h"

class InputDialog : public CameraQuestions {
public:
    static constexpr size_t kEntryLimit = 1023;  // characters the entry holds

    void tell(const char* text) override;
    // Opens the dialog and leaves the answer in `answer`; true when there is one (the text
    // does not start with 'X'). Closing the dialog's window ends the process.
    bool ask(const char* prompt, std::string& answer) override;
    void keepPrompt(const char* prompt) override { prompt_ = prompt; }

    const std::string& prompt() const { return prompt_; }

private:
    std::string prompt_;  // kept between questions
};
