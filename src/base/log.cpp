#include "base/log.h"

#include <cstdio>

namespace {
StandardErrorLog standardErrorLog;
}

Log* logWindow = &standardErrorLog;
bool logEnabled = false;

const char* logLevelName(LogLevel level) {
    static const char* const kNames[] = {"debug", "info", "warning", "error"};
    return kNames[static_cast<int>(level)];
}

const char* logModuleName(LogModule module) {
    static const char* const kNames[] = {"general", "base",    "platform", "image",
                                         "text",    "objects", "camera",   "layers",
                                         "show",    "shell",   "render"};
    return kNames[static_cast<int>(module)];
}

std::string Log::formatWhole(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.pop_back();
    return text;
}

std::string Log::format(const char* format, va_list args) {
    char buffer[kMessageLimit + 1];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    return buffer;
}

bool Log::firstTimeShown(const std::string&) {
    return true;
}

// The entry points differ only in where the formatted text goes.
#define TARVEL_FORMAT_ARGS(text)                       \
    if (!formatText)                                   \
        return;                                        \
    va_list args;                                      \
    va_start(args, formatText);                        \
    const std::string text = format(formatText, args); \
    va_end(args)

void Log::write(LogLevel level, LogModule, const char* formatText, ...) {
    if (level < threshold_)
        return;
    TARVEL_FORMAT_ARGS(message);
    writeLine(LineKind::Plain, message);
}

void Log::say(LogLevel level, LogModule module, const char* formatText, ...) {
    if (level < threshold_ || !formatText)
        return;
    va_list args;
    va_start(args, formatText);
    Entry entry{level, module, formatWhole(formatText, args)};
    va_end(args);
    writeTerminal(entry);
}

void Log::writeTerminal(const Entry& entry) {
    std::fprintf(stderr, "%s\n", entry.text.c_str());
    std::fflush(stderr);
}

void Log::print(const char* formatText, ...) {
    if (LogLevel::Info < threshold_)
        return;
    TARVEL_FORMAT_ARGS(message);
    writeLine(LineKind::Plain, message);
}

void Log::printStep(const char* formatText, ...) {
    if (LogLevel::Info < threshold_)
        return;
    TARVEL_FORMAT_ARGS(message);
    writeLine(LineKind::Step, message);
}

void Log::printBanner(const char* formatText, ...) {
    if (LogLevel::Info < threshold_)
        return;
    TARVEL_FORMAT_ARGS(message);
    writeLine(LineKind::Banner, message);
}

void Log::alert(const char* formatText, ...) {
    TARVEL_FORMAT_ARGS(message);
    showMessage(message.c_str(), "");
}

void Log::alertOnce(const char* formatText, ...) {
    TARVEL_FORMAT_ARGS(message);
    if (firstTimeShown(message)) {
        showMessage(message.c_str(), "");
    }
}

#undef TARVEL_FORMAT_ARGS

void StandardErrorLog::showMessage(const char* text, const char* caption) {
    std::fprintf(stderr, "%s%s%s\n", caption ? caption : "", caption && *caption ? ": " : "",
                 text ? text : "");
}

void StandardErrorLog::writeLine(LineKind, const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
}
