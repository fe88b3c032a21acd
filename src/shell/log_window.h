// The diagnostic log: a modeless window beside the show, present only when the marker
// file "logga" exists. alert() shows a message box whether or not the log is on.
#pragma once

#include <cstdarg>
#include <set>
#include <string>

#include "shell/message_shower.h"

class LogWindow : public MessageShower {
public:
    static constexpr size_t kMessageLimit = 1023;  // characters of one formatted message
    static constexpr size_t kTextLimit = 99999;    // characters the log ever holds

    explicit LogWindow(bool enabled);

    void print(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void printStep(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void printBanner(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void alert(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // As alert, but a message this log has already shown once is not shown again: one
    // missing file that many objects load is one box, not one box per object.
    void alertOnce(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // Appends one prepared line, keeping the earliest text when the log is full.
    void append(const std::string& line);

    bool enabled() const { return enabled_; }
    // The whole text of the log, as the window shows it.
    const std::string& text() const { return content_; }

private:
    void writeLine(const char* prefix, const char* suffix, const char* format, va_list args);

    bool enabled_;
    bool hasWindow_ = false;
    std::string content_;
    std::set<std::string> alertsShown_;
};

extern LogWindow* logWindow;  // set by preInit, never null afterwards
extern bool logEnabled;       // the marker file was found
