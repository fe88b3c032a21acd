// The diagnostic log: a modeless window beside the show, present only when the marker
// file "logga" exists. Alerts show a message box whether or not the log is on.
#pragma once

#include <set>
#include <string>

#include "base/log.h"

class LogWindow : public Log {
public:
    static constexpr size_t kTextLimit = 99999;  // characters the log ever holds

    explicit LogWindow(bool enabled);

    void showMessage(const char* text, const char* caption) override;

    // Appends one prepared line, keeping the earliest text when the log is full.
    void append(const std::string& line);
    // A plain line in the window only, for a line the terminal has in its own words.
    void show(const std::string& message);

    bool enabled() const { return enabled_; }
    // The whole text of the log, as the window shows it.
    const std::string& text() const { return content_; }

protected:
    void writeLine(LineKind kind, const std::string& message) override;
    bool firstTimeShown(const std::string& message) override;

private:
    bool enabled_;
    bool hasWindow_ = false;
    std::string content_;
    std::set<std::string> alertsShown_;
};

// The shell's log window, also installed as the log every folder writes to.
extern LogWindow* shellLog;
