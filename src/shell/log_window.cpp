#include "shell/log_window.h"

#include <cstdarg>
#include <cstdio>

#include "platform/process.h"
#include "platform/ui.h"

LogWindow* logWindow = nullptr;
bool logEnabled = false;

namespace {

std::string formatMessage(const char* format, va_list args) {
    char buffer[LogWindow::kMessageLimit + 1];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    return buffer;
}

}  // namespace

void MessageShower::showMessage(const char* text, const char* caption) const {
    platform::ui().messageBox(text ? text : "", caption ? caption : "", platform::Buttons::Ok,
                              platform::Icon::Information);
}

LogWindow::LogWindow(bool enabled) : enabled_(enabled) {
    if (!enabled_) {
        return;
    }
    hasWindow_ = platform::ui().openLogWindow("Log Window", [] { platform::exitProcess(-1); });
    if (!hasWindow_) {
        showMessage("Init Log Window Error", "INIT ERROR");
        return;
    }
    content_ = "Log Initiated...\r\n";
    platform::ui().setLogText(content_);
}

void LogWindow::append(const std::string& line) {
    if (!enabled_ || !hasWindow_) {
        return;
    }
    // The existing text gives way at its end, so the earliest lines stay and the newest
    // line is always appended whole.
    size_t room = line.size() < kTextLimit ? kTextLimit - line.size() : 0;
    if (content_.size() > room) {
        content_.resize(room);
    }
    content_ += line;
    platform::ui().setLogText(content_);
}

void LogWindow::writeLine(const char* prefix, const char* suffix, const char* format,
                          va_list args) {
    std::string message = formatMessage(format, args);
    if (!enabled_) {
        return;
    }
    append(prefix + message + suffix);
    // A terminal user sees the log too.
    std::fprintf(stderr, "%s%s\n", prefix + 2, (message + suffix).c_str());
}

void LogWindow::print(const char* format, ...) {
    if (!format)
        return;
    va_list args;
    va_start(args, format);
    writeLine("\r\n", "", format, args);
    va_end(args);
}

void LogWindow::printStep(const char* format, ...) {
    if (!format)
        return;
    va_list args;
    va_start(args, format);
    writeLine("\r\n  -> ", "", format, args);
    va_end(args);
}

void LogWindow::printBanner(const char* format, ...) {
    if (!format)
        return;
    va_list args;
    va_start(args, format);
    writeLine("\r\n ** ", " **", format, args);
    va_end(args);
}

void LogWindow::alert(const char* format, ...) {
    if (!format) {
        return;
    }
    va_list args;
    va_start(args, format);
    std::string message = formatMessage(format, args);
    va_end(args);
    showMessage(message.c_str(), "");
}

void LogWindow::alertOnce(const char* format, ...) {
    if (!format) {
        return;
    }
    va_list args;
    va_start(args, format);
    std::string message = formatMessage(format, args);
    va_end(args);
    if (alertsShown_.insert(message).second) {
        showMessage(message.c_str(), "");
    }
}
