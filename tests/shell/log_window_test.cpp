#include "shell/log_window.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/process.h"
#include "support/test_ui.h"

namespace {

TEST(LogWindow, LinePrefixesAndTheWindowTitle) {
    auto& ui = testing_support::installScriptedUi();
    EXPECT_EQ(ui.logTitle, "Log Window");
    logWindow->print("Read %d rows.", 3);
    logWindow->printStep("file: %s", "a.jpg");
    logWindow->printBanner("Camera Object.");
    EXPECT_EQ(shellLog->text(),
              "Log Initiated...\r\n\r\nRead 3 rows.\r\n  -> file: a.jpg\r\n ** Camera Object. **");
    EXPECT_EQ(ui.logText, shellLog->text());
}

TEST(LogWindow, LongMessagesAreCutAt1023Characters) {
    testing_support::installScriptedUi();
    std::string longMessage(2000, 'x');
    logWindow->print("%s", longMessage.c_str());
    EXPECT_EQ(shellLog->text(), "Log Initiated...\r\n\r\n" + std::string(1023, 'x'));
}

TEST(LogWindow, FullLogKeepsItsEarliestLinesAndTheNewest) {
    testing_support::installScriptedUi();
    std::string chunk(1000, 'a');
    for (int i = 0; i < 150; ++i) {
        logWindow->print("%s", chunk.c_str());
    }
    logWindow->print("newest line");
    const std::string& text = shellLog->text();
    EXPECT_LE(text.size(), 99999u);
    EXPECT_EQ(text.rfind("Log Initiated...", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 13), "\r\nnewest line");
}

TEST(LogWindow, DisabledLogIsSilentButAlertsStillShowWithAnEmptyCaption) {
    auto& ui = testing_support::installScriptedUi(false);
    EXPECT_FALSE(ui.logWindowOpen);
    logWindow->print("nothing");
    EXPECT_TRUE(shellLog->text().empty());
    logWindow->alert("ERROR! Failed to load %s !", "x.jpg");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "ERROR! Failed to load x.jpg !");
    EXPECT_EQ(ui.messages[0].caption, "");
    const char* noFormat = nullptr;
    logWindow->alert(noFormat);
    logWindow->print(noFormat);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(LogWindow, RefusedWindowIsReportedAndTheRunGoesOn) {
    auto ui = std::make_unique<platform::ScriptedUi>();
    ui->refuseLogWindow = true;
    auto* raw = ui.get();
    platform::setUi(std::move(ui));
    LogWindow log(true);
    ASSERT_EQ(raw->messages.size(), 1u);
    EXPECT_EQ(raw->messages[0].text, "Init Log Window Error");
    EXPECT_EQ(raw->messages[0].caption, "INIT ERROR");
    EXPECT_TRUE(log.enabled());
    log.print("lost");
    EXPECT_TRUE(log.text().empty());
}

TEST(LogWindow, CloseBoxEndsTheProcessWithMinusOne) {
    auto& ui = testing_support::installScriptedUi();
    int status = 0;
    platform::setExitHandler([&](int s) { status = s; });
    ASSERT_TRUE(ui.closeLogWindow);
    ui.closeLogWindow();
    platform::setExitHandler(nullptr);
    EXPECT_EQ(status, -1);
}

}  // namespace
