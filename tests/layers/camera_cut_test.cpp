#include "layers/camera_cut.h"

#include <gtest/gtest.h>

#include <string>

#include "base/keys.h"
#include "base/timeline.h"
#include "camera/camera.h"
#include "objects/vector3_print.h"
#include "support/test_ui.h"

namespace {

std::string positionsText(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += std::to_string(i * 2) + " 1 0  0 0 0  0 1 0\n";
    }
    return text;
}

class CameraCutTest : public ::testing::Test {
protected:
    void SetUp() override { testing_support::installScriptedUi(); }
};

TEST_F(CameraCutTest, FliesOverTheMoveTimeThenHolds) {
    CameraCut cut;
    ASSERT_TRUE(cut.getCamera()->loadPathFromBytes(positionsText(6), "a.pos"));
    cut.setMoveTime(4);
    Timeline timeline;
    timeline.add(10, 20, &cut);
    const CameraPath& path = cut.getCamera()->eyePath;
    struct Sample {
        double showTime;
        float fraction;
    };
    for (Sample s : {Sample{10, 0}, {12, 0.5f}, {14, 1}, {17, 1}, {20, 1}, {12, 0.5f}}) {
        timeline.draw(Frame::at(s.showTime));
        EXPECT_EQ(cut.getCamera()->getEye(), path.atFraction(s.fraction)) << "at " << s.showTime;
    }
}

TEST_F(CameraCutTest, MoveTimesLongerThanTheCutOrZero) {
    CameraCut longMove;
    ASSERT_TRUE(longMove.loadPath(nullptr) == false);
    ASSERT_TRUE(longMove.getCamera()->loadPathFromBytes(positionsText(6), "b.pos"));
    longMove.setMoveTime(16);
    longMove.draw(Frame::at(10));
    EXPECT_EQ(longMove.getCamera()->getEye(), longMove.getCamera()->eyePath.atFraction(0.625f));

    CameraCut instant;
    ASSERT_TRUE(instant.getCamera()->loadPathFromBytes(positionsText(6), "c.pos"));
    instant.draw(Frame::at(0));
    EXPECT_EQ(instant.getCamera()->getEye(), instant.getCamera()->eyePath.points[3]);
    instant.getCamera()->eye = Vector3(9, 9, 9);
    instant.draw(Frame::at(0.5));  // the cut holds its path's end, whatever came before
    EXPECT_EQ(instant.getCamera()->getEye(), instant.getCamera()->eyePath.points[3]);
    instant.getCamera()->moveForward(1);  // an author steering it by hand keeps it there
    const Vector3 steered = instant.getCamera()->getEye();
    instant.draw(Frame::at(0.7));
    EXPECT_EQ(instant.getCamera()->getEye(), steered);
}

}  // namespace
