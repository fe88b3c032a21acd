// The log every folder writes to. The shell's log window implements it; below the shell
// code sees only this interface, set once at start-up, so nothing there depends on the
// window, the dialogs or the marker file.
#pragma once

#include <cstdarg>
#include <string>

// How much a message matters, and which part of the program it is about.
enum class LogLevel { Debug, Info, Warning, Error };
enum class LogModule {
    General,
    Base,
    Platform,
    Image,
    Text,
    Objects,
    Camera,
    Layers,
    Show,
    Shell,
    Render
};

const char* logLevelName(LogLevel level);
const char* logModuleName(LogModule module);

class Log {
public:
    static constexpr size_t kMessageLimit = 1023;  // characters of one formatted message

    // A line for the terminal as the sink receives it.
    struct Entry {
        LogLevel level;
        LogModule module;
        std::string text;
    };

    virtual ~Log() = default;

    // A plain line of the log with its level and module; below the threshold it is dropped.
    void write(LogLevel level, LogModule module, const char* format, ...)
        __attribute__((format(printf, 4, 5)));
    // A line of the program's own for the terminal (standard error), written exactly as
    // formatted and a newline, whatever the log shows, and never cut short.
    void say(LogLevel level, LogModule module, const char* format, ...)
        __attribute__((format(printf, 4, 5)));
    // Messages below it are dropped; Info by default, so Debug lines are off.
    void setThreshold(LogLevel level) { threshold_ = level; }
    LogLevel threshold() const { return threshold_; }

    // Lines of the log at level Info: plain, an indented step, and a banner between stars.
    void print(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void printStep(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void printBanner(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // A message box, shown whether or not the log itself is on.
    void alert(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // As alert, but a message already shown once is not shown again: one missing file that
    // many objects load is one box, not one box per object.
    void alertOnce(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // An OK box with the information icon and its own caption; returns when it is closed.
    virtual void showMessage(const char* text, const char* caption) = 0;

protected:
    enum class LineKind { Plain, Step, Banner };
    virtual void writeLine(LineKind kind, const std::string& message) = 0;
    // Whether a once-only alert with this text is new; the default shows every one.
    virtual bool firstTimeShown(const std::string& message);
    // The terminal's lines; standard error unless a sink takes them elsewhere.
    virtual void writeTerminal(const Entry& entry);

private:
    static std::string format(const char* format, va_list args);
    static std::string formatWhole(const char* format, va_list args);

    LogLevel threshold_ = LogLevel::Info;
};

// Until the shell installs its log window, messages go to standard error.
class StandardErrorLog : public Log {
public:
    void showMessage(const char* text, const char* caption) override;

protected:
    void writeLine(LineKind kind, const std::string& message) override;
};

// Never null: the standard-error log until the shell sets its own.
extern Log* logWindow;
// The marker file was found: the log window and the authoring keys are on.
extern bool logEnabled;
