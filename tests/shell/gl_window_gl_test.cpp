// The window's start-up when the display mode cannot be had (--mode-switch): a refused
// switch reaches the same Yes/No question as the pre-check. Beside the GL tests' own window,
// so the GL libraries stay loaded when the refused window goes.
#include "shell/gl_window.h"

#include <gtest/gtest.h>

#include "base/keys.h"
#include "shell/session.h"
#include "support/test_ui.h"

namespace {

const char* const kQuestion =
    "The Requested Fullscreen Mode Is Not Supported By\nYour Video Card. Use Windowed Mode "
    "Instead?";

TEST(GlWindow, RefusedModeSwitchAsksForAWindowAndNoCloses) {
    platform::ScriptedUi& ui = testing_support::installScriptedUi(false);
    platform::Window::simulateUnswitchableModes(true);
    Session session;
    session.modeSwitch = true;
    ui.messageAnswers.push_back(platform::Answer::No);
    EXPECT_FALSE(createWindow(session, "#Korrin - Tarvel", 800, 600, 32, true));
    platform::Window::simulateUnswitchableModes(false);

    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, kQuestion);
    EXPECT_EQ(ui.messages[0].caption, "#Korrin - Tarvel");
    EXPECT_EQ(ui.messages[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(ui.messages[1].text, "Program Will Now Close.");
    EXPECT_EQ(ui.messages[1].caption, "ERROR");
    EXPECT_FALSE(mainWindow().isOpen()) << "the refused window is torn down";
}

}  // namespace
