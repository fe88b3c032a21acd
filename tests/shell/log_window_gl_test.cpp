// The log window as an author sees it, through the real GTK dialogs under Xvfb: after many
// lines the newest one is in view at the bottom, and a long line does not push the view
// sideways.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/clock.h"
#include "platform/ui.h"
#include "shell/log_window.h"
#include "support/test_ui.h"

namespace {

// The dialogs module, loaded as the program loads it.
std::unique_ptr<platform::Ui> gtkUi() {
    void* module = dlopen(TARVEL_DIALOGS_MODULE, RTLD_NOW | RTLD_LOCAL);
    if (module == nullptr) {
        ADD_FAILURE() << dlerror();
        return nullptr;
    }
    using Create = platform::Ui* (*)();
    auto create = reinterpret_cast<Create>(dlsym(module, "tarvel_dialogs_create"));
    return std::unique_ptr<platform::Ui>(create ? create() : nullptr);
}

TEST(LogWindowView, TheNewestLineIsInViewAfter200AppendsAndTheLeftEdgeStays) {
    auto dialogs = gtkUi();
    ASSERT_NE(dialogs, nullptr) << "GTK cannot open the display";
    platform::setUi(std::move(dialogs));
    LogWindow log(true);
    const std::string wide(300, '=');
    for (int i = 0; i < 200; ++i) {
        // Every tenth line is wider than the window, as a skipped row with its text is.
        log.append("\r\nline " + std::to_string(i) + (i % 10 == 5 ? " " + wide : ""));
    }
    const std::string newest = "line 199";
    platform::LogInView seen;
    // The window maps and lays its text out as its events arrive; wait for them, not for
    // a time: a log that never shows its end fails after the last of the tries.
    for (int tries = 0; tries < 300 && seen.lastLine != newest; ++tries) {
        platform::ui().pump();
        seen = platform::ui().logInView();
        platform::sleepMilliseconds(10);
    }
    EXPECT_EQ(seen.lastLine, newest) << "the log shows from \"" << seen.firstLine << "\"";
    EXPECT_NE(seen.firstLine, "Log Initiated...") << "the view stayed at the top";
    EXPECT_TRUE(seen.leftEdge) << "the view was scrolled sideways";
    testing_support::installScriptedUi(false);
}

}  // namespace
