#include "base/log.h"

#include <cstdio>

namespace {
StandardErrorLog standardErrorLog;
}

Log* logWindow = &standardErrorLog;
bool logEnabled = false;

std::string Log::format(const char* format, va_list args) {
    char buffer[kMessageLimit + 1];
    std::vsnprintf(buffer, sizeof buffer, format, args);
    return buffer;
}

bool Log::firstTimeShown(const std::string&) {
    return true;
}

// The five entry points differ only in where the formatted text goes.
#define TARVEL_FORMAT_ARGS(text)                       \
    if (!formatText)                                   \
        return;                                        \
    va_list args;                                      \
    va_start(args, formatText);                        \
    const std::string text = format(formatText, args); \
    va_end(args)

void Log::print(const char* formatText, ...) {
    TARVEL_FORMAT_ARGS(message);
    writeLine(LineKind::Plain, message);
}

void Log::printStep(const char* formatText, ...) {
    TARVEL_FORMAT_ARGS(message);
    writeLine(LineKind::Step, message);
}

void Log::printBanner(const char* formatText, ...) {
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
