// Entry of the GL test program: opens the window once, then runs every test in it.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "base/keys.h"
#include "platform/scripted_ui.h"
#include "platform/window.h"
#include "shell/log_window.h"
#include "support/gl_context.h"
#include "support/gl_paths.h"
#include "support/test_ui.h"

namespace testing_support {

platform::Window& testWindow() {
    static platform::Window window;
    return window;
}

}  // namespace testing_support

namespace {

class GlEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        std::string detail;
        platform::Window::Options options;
        options.title = "tarvel GL tests";
        auto error = testing_support::testWindow().create(options, detail);
        ASSERT_EQ(error, platform::Window::Error::None) << detail;
        testing_support::installScriptedUi(false);
        glViewport(0, 0, 800, 600);
    }
    void TearDown() override {
        testing_support::destroyLayerWindow();
        testing_support::testWindow().destroy();
    }
};

// Every test starts from the same frame, whatever the one before left: models take the
// modelview current when they are made, so a rotation left behind turns the next test's.
class FreshFrame : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { testing_support::resetFrame(); }
};

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new GlEnvironment);
    ::testing::UnitTest::GetInstance()->listeners().Append(new FreshFrame);
    return RUN_ALL_TESTS();
}
