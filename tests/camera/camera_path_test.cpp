#include "camera/camera_path.h"

#include <gtest/gtest.h>

#include <cmath>

#include "objects/vector3_print.h"

namespace {

CameraPath pathOf(int n, float step = 0.02f) {
    CameraPath path(step);
    for (int i = 0; i < n; ++i) {
        path.addPoint(Vector3(i * i, 10 - i, 0.5 * i));
    }
    return path;
}

TEST(CameraPath, EvaluateHitsTheInnerControlPointsAndFollowsALine) {
    CameraPath path = pathOf(6);
    for (uint32_t i = 0; i < 3; ++i) {
        EXPECT_EQ(path.evaluate(i, 0.0f), path.points[i + 1]) << "segment " << i;
        EXPECT_EQ(path.evaluate(i, 1.0f), path.points[i + 2]) << "segment " << i;
    }
    CameraPath line;
    for (int i = 0; i < 4; ++i) {
        line.addPoint(Vector3(i, 0, 0));
    }
    EXPECT_FLOAT_EQ(line.evaluate(0, 0.5f).x, 1.5f);
    EXPECT_FLOAT_EQ(line.evaluate(0, 0.25f).x, 1.25f);
}

TEST(CameraPath, FractionUsesNMinusFourSegments) {
    CameraPath four = pathOf(4);
    EXPECT_EQ(four.atFraction(0.0f), four.points[1]);
    EXPECT_EQ(four.atFraction(1.0f), four.points[1]);

    CameraPath five = pathOf(5);
    EXPECT_EQ(five.atFraction(1.0f), five.points[2]);
    EXPECT_EQ(five.atFraction(0.5f), five.evaluate(0, 0.5f));
    EXPECT_EQ(five.atFraction(-3.0f), five.points[1]);
    EXPECT_EQ(five.atFraction(7.0f), five.points[2]);
    EXPECT_EQ(five.atFraction(NAN), five.points[1]);

    CameraPath eight = pathOf(8);
    EXPECT_EQ(eight.atFraction(0.5f), eight.evaluate(2, 0.0f));
    EXPECT_EQ(eight.atFraction(1.0f), eight.points[5]);
}

TEST(CameraPath, StepsCrossSegmentsAndStopAtTheLastOne) {
    CameraPath path = pathOf(5, 0.25f);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(path.stepOnce());
    }
    EXPECT_EQ(path.segment, 1u);
    EXPECT_EQ(path.t, 0.0f);

    Vector3 ahead;
    EXPECT_TRUE(path.peek(3, ahead));
    EXPECT_EQ(ahead, path.evaluate(1, 0.75f));
    EXPECT_FALSE(path.peek(4, ahead));
    EXPECT_EQ(path.segment, 1u);  // peeking never moves the walk
    EXPECT_EQ(path.t, 0.0f);

    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(path.stepOnce());
    }
    EXPECT_FALSE(path.stepOnce());
    EXPECT_GE(path.t, 1.0f);
    EXPECT_EQ(path.segment, 1u);

    path.rewind();
    EXPECT_EQ(path.current(), path.points[1]);
    EXPECT_EQ(path.points.size(), 5u);
}

TEST(CameraPath, ShortPathsNeverReadOutOfBounds) {
    CameraPath empty;
    EXPECT_EQ(empty.atFraction(0.5f), Vector3(0, 0, 0));
    for (int i = 0; i < 100; ++i) {
        empty.stepOnce();
    }
    EXPECT_EQ(empty.current(), Vector3(0, 0, 0));
    CameraPath three = pathOf(3);
    Vector3 out;
    EXPECT_EQ(three.current(), Vector3(0, 0, 0));
    EXPECT_FALSE(three.peek(100, out));
    CameraPath four = pathOf(4);
    EXPECT_EQ(four.evaluate(9, 0.5f), four.evaluate(0, 0.5f));  // clamped segment
}

}  // namespace
