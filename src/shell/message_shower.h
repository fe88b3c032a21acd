// The small base of the log window and the image readers: a modal message box.
#pragma once

class MessageShower {
public:
    // An OK box with the information icon; returns when it is closed.
    void showMessage(const char* text, const char* caption) const;
};
