// What the camera keys ask the author: a message to acknowledge and a line of text. The
// shell answers with its dialogs; below it nothing opens one.
#pragma once

#include <string>

class CameraQuestions {
public:
    virtual ~CameraQuestions() = default;

    // A message with an OK button; returns when it is acknowledged.
    virtual void tell(const char* text) = 0;
    // Asks under `prompt` (null: the prompt kept from before) and leaves the answer in
    // `answer`; true when there is one.
    virtual bool ask(const char* prompt, std::string& answer) = 0;
    // The prompt the next question without one of its own is asked under.
    virtual void keepPrompt(const char* prompt) = 0;
};
