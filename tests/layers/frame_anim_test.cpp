#include "layers/frame_anim.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "shell/log_window.h"
#include "support/test_ui.h"

namespace {

// Stands in for the texture loader: frame files "exist" unless listed as missing, and
// each texture name is the frame number taken from the path.
class FakeFrames : public FrameAnim {
public:
    bool loadFrame(const char* path, GLuint* slot) override {
        if (!path) {
            return FrameAnim::loadFrame(path, slot);
        }
        paths.push_back(path);
        std::string p(path);
        size_t digits = p.find_first_of("0123456789");
        int number = std::atoi(p.c_str() + digits);
        if (missing.count(number)) {
            return false;
        }
        *slot = static_cast<GLuint>(number);
        return true;
    }
    std::set<int> missing;
    std::vector<std::string> paths;
};

TEST(FrameAnim, MissingFramesLeaveNoGapAndTheTableIsBounded) {
    FakeFrames anim;
    anim.missing = {3};
    anim.loadFrames("./vintra/nick/nick", 4);
    EXPECT_EQ(anim.paths.front(), "./vintra/nick/nick1.jpg");
    ASSERT_EQ(anim.frameCount, 3);
    EXPECT_EQ(anim.frames[0], 1u);
    EXPECT_EQ(anim.frames[1], 2u);
    EXPECT_EQ(anim.frames[2], 4u);
    EXPECT_EQ(anim.frames[3], 0u);

    FakeFrames many;
    many.loadFrames("f", 300);
    EXPECT_EQ(many.frameCount, FrameAnim::kMaxFrames);
    EXPECT_EQ(many.paths.back(), "f256.jpg");
    EXPECT_EQ(many.frames[255], 256u);

    testing_support::installScriptedUi();
    FakeFrames none;
    none.loadFrames(nullptr, 5);
    EXPECT_EQ(none.frameCount, 0);
    EXPECT_NE(shellLog->text().find("Phlicks: No filename"), std::string::npos);
}

// Loaded later, one file per call, with the same table as loading at once.
TEST(FrameAnim, LaterLoadingReadsOneFilePerCall) {
    FakeFrames anim;
    anim.missing = {2};
    anim.loadFramesLater("f", 3);
    EXPECT_TRUE(anim.paths.empty());
    EXPECT_EQ(anim.frameCount, 0);
    EXPECT_TRUE(anim.loadNextFrame());
    EXPECT_EQ(anim.paths.size(), 1u);
    EXPECT_TRUE(anim.loadNextFrame());
    EXPECT_TRUE(anim.loadNextFrame());
    EXPECT_FALSE(anim.loadNextFrame());
    EXPECT_EQ(anim.paths.size(), 3u);
    ASSERT_EQ(anim.frameCount, 2);
    EXPECT_EQ(anim.frames[1], 3u);
}

TEST(FrameAnim, FrameChoiceTruncatesAndLoops) {
    FrameAnim anim;
    anim.frameCount = 24;
    anim.setFrameRate(12.5);
    EXPECT_EQ(anim.frameAt(1.0), 12);
    EXPECT_EQ(anim.frameAt(1.99), 0);  // 24.875 truncates to 24
    EXPECT_EQ(anim.frameAt(1.92 + 0.5), anim.frameAt(0.5));
    EXPECT_EQ(anim.frameAt(1e12), 8);  // 12.5e12 mod 24, no integer overflow
    anim.setFrameRate(-3);             // never an index outside the table
    EXPECT_GE(anim.frameAt(1.0), 0);
    EXPECT_LT(anim.frameAt(1.0), 24);
    anim.frameCount = 0;
    EXPECT_EQ(anim.frameAt(1.0), 0);
}

TEST(FrameAnim, ColourFadesBrightnessForOnePairAndAlphaForTheRest) {
    using Colour = std::array<float, 4>;
    FrameAnim anim;
    EXPECT_EQ(anim.colourAt(0.0), (Colour{1, 1, 1, 1}));
    EXPECT_EQ(anim.colourAt(100.0), (Colour{1, 1, 1, 1}));
    EXPECT_EQ(anim.colourAt(100.01), (Colour{0, 0, 0, 0}));

    anim.setFade(1, 2, 1);
    EXPECT_EQ(anim.colourAt(0.5), (Colour{0.5, 0.5, 0.5, 0.5}));
    anim.setPeak(0.5);
    EXPECT_EQ(anim.colourAt(3.5), (Colour{0.25, 0.25, 0.25, 0.25}));
    EXPECT_EQ(anim.colourAt(4.0), (Colour{0, 0, 0, 0}));
    anim.setBlend(GL_SRC_ALPHA, GL_ONE);
    EXPECT_EQ(anim.colourAt(0.5), (Colour{1, 1, 1, 0.25}));
    EXPECT_EQ(anim.colourAt(1.0), (Colour{1, 1, 1, 0.5}));
    anim.setBlend(GL_SRC_COLOR, GL_ONE);  // unlike a tag, this pair fades by alpha
    EXPECT_EQ(anim.colourAt(3.0), (Colour{1, 1, 1, 0.5}));
}

}  // namespace
