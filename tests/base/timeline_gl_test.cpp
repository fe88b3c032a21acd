#include "base/timeline.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "render/gl_errors.h"
#include "shell/log_window.h"
#include "support/gl_context.h"
#include "support/test_ui.h"

namespace {

// Raises GL_INVALID_ENUM on every draw, as a layer with a bad call would.
struct FaultyLayer : Layer {
    void draw(const Frame&) override { glEnable(0xFFFF); }
};

struct QuietLayer : Layer {
    void draw(const Frame&) override {}
};

size_t count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

}  // namespace

// Debug builds name the layer that raised an error and when, every time it does.
TEST(TimelineGl, EveryGlErrorIsReportedWithTheLayerThatRaisedItAndTheShowTime) {
#ifndef TARVEL_GL_CHECKS
    GTEST_SKIP() << "release builds do not check GL errors";
#endif
    testing_support::installScriptedUi(true);
    while (glGetError() != GL_NO_ERROR) {
    }
    FaultyLayer faulty;
    QuietLayer quiet;
    Timeline timeline;
    GlLayerCheck check;
    timeline.setCheck(&check);
    timeline.add(0, 100, &quiet);
    timeline.add(10, 20, &faulty);
    timeline.draw(Frame::at(12.5));
    timeline.draw(Frame::at(13.25));
    timeline.draw(Frame::at(30));  // the faulty layer is not drawn

    const std::string& log = shellLog->text();
    EXPECT_NE(log.find("GL error 0x0500 after (anonymous namespace)::FaultyLayer at show time "
                       "12.500"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("FaultyLayer at show time 13.250"), std::string::npos) << log;
    EXPECT_EQ(count(log, "GL error"), 2u) << log;
    EXPECT_EQ(log.find("QuietLayer"), std::string::npos) << log;
    EXPECT_EQ(glGetError(), GL_NO_ERROR);
}
