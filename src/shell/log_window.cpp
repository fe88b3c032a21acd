#include "shell/log_window.h"

#include <cstdio>

#include "platform/process.h"
#include "platform/ui.h"

LogWindow* shellLog = nullptr;

void LogWindow::showMessage(const char* text, const char* caption) {
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

void LogWindow::show(const std::string& message) {
    append("\r\n" + message);
}

void LogWindow::writeLine(LineKind kind, const std::string& message) {
    if (!enabled_) {
        return;
    }
    static const char* const kPrefixes[] = {"\r\n", "\r\n  -> ", "\r\n ** "};
    const char* prefix = kPrefixes[static_cast<int>(kind)];
    const std::string line = message + (kind == LineKind::Banner ? " **" : "");
    append(prefix + line);
    // A terminal user sees the log too.
    writeTerminal({LogLevel::Info, LogModule::General, std::string(prefix + 2) + line});
}

bool LogWindow::firstTimeShown(const std::string& message) {
    return alertsShown_.insert(message).second;
}
