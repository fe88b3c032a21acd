#include "base/log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A sink that keeps what reaches it.
class RecordingLog : public Log {
public:
    void showMessage(const char*, const char*) override {}
    std::vector<std::string> lines;
    std::vector<Entry> terminal;

protected:
    void writeLine(LineKind, const std::string& message) override { lines.push_back(message); }
    void writeTerminal(const Entry& entry) override { terminal.push_back(entry); }
};

TEST(Log, TerminalLinesReachStandardErrorWholeAndByteForByte) {
    StandardErrorLog log;
    const std::string longPath(3000, 'p');
    testing::internal::CaptureStderr();
    log.say(LogLevel::Error, LogModule::Shell, "tarvel: %s\nTry 'tarvel --help'.",
            longPath.c_str());
    log.say(LogLevel::Info, LogModule::Shell, "tarvel: wrote %s at show time %.3f", "a.png", 1.5);
    EXPECT_EQ(
        testing::internal::GetCapturedStderr(),
        "tarvel: " + longPath + "\nTry 'tarvel --help'.\ntarvel: wrote a.png at show time 1.500\n");
}

TEST(Log, LevelsBelowTheThresholdAreDroppedAndTheSinkSeesLevelAndModule) {
    RecordingLog log;
    log.write(LogLevel::Debug, LogModule::Layers, "hidden %d", 1);
    log.write(LogLevel::Info, LogModule::Layers, "Read %d rows.", 3);
    log.say(LogLevel::Warning, LogModule::Shell, "tarvel: cannot watch %s", "x.txt");
    EXPECT_EQ(log.lines, std::vector<std::string>{"Read 3 rows."});
    ASSERT_EQ(log.terminal.size(), 1u);
    EXPECT_EQ(log.terminal[0].level, LogLevel::Warning);
    EXPECT_EQ(log.terminal[0].module, LogModule::Shell);
    EXPECT_EQ(log.terminal[0].text, "tarvel: cannot watch x.txt");
    EXPECT_STREQ(logModuleName(log.terminal[0].module), "shell");
    EXPECT_STREQ(logLevelName(LogLevel::Warning), "warning");

    log.setThreshold(LogLevel::Error);
    log.print("plain");
    log.say(LogLevel::Info, LogModule::Shell, "tarvel: read %s again", "x.txt");
    log.say(LogLevel::Error, LogModule::Shell, "tarvel: cannot write %s", "y.png");
    EXPECT_EQ(log.lines.size(), 1u);
    ASSERT_EQ(log.terminal.size(), 2u);
    EXPECT_EQ(log.terminal[1].text, "tarvel: cannot write y.png");
}

}  // namespace
