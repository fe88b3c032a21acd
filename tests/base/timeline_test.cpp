#include "base/timeline.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

struct RecordingLayer : Layer {
    std::vector<std::pair<int, double>>* calls;
    int id;
    RecordingLayer(std::vector<std::pair<int, double>>* c, int i) : calls(c), id(i) {}
    void draw(const Frame& frame) override {
        calls->push_back({id, frame.localTime});
        last = frame;
    }
    Frame last;
};

TEST(Timeline, DrawsEntriesWhoseIntervalHoldsTheTimeBothEndsIncluded) {
    std::vector<std::pair<int, double>> calls;
    RecordingLayer a(&calls, 1);
    Timeline timeline;
    timeline.draw(Frame::at(0));
    EXPECT_TRUE(calls.empty());

    timeline.add(10, 14, &a);
    timeline.draw(Frame::at(9.999));
    EXPECT_TRUE(calls.empty());
    timeline.draw(Frame::at(10));
    timeline.draw(Frame::at(14));
    timeline.draw(Frame::at(14.0001));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].second, 0.0);
    EXPECT_EQ(calls[1].second, 4.0);

    // The rest of the frame reaches the layer as the timeline was given it.
    Frame frame = Frame::at(12);
    frame.screen = {80, 0, 1440, 1080};
    timeline.draw(frame);
    EXPECT_EQ(a.last.localTime, 2.0);
    EXPECT_EQ(a.last.showTime, 12.0);
    EXPECT_EQ(a.last.screen.left, 80);
    EXPECT_EQ(a.last.screen.height, 1080);
}

TEST(Timeline, KeepsInsertionOrderDrawsRepeatsAndNeverDrawsInvertedEntries) {
    std::vector<std::pair<int, double>> calls;
    RecordingLayer a(&calls, 1), b(&calls, 2);
    Timeline timeline;
    timeline.add(5, 20, &b);
    timeline.add(0, 10, &a);
    timeline.add(2, 8, &b);
    timeline.add(8, 3, &a);  // end before start
    timeline.draw(Frame::at(6));
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0], std::make_pair(2, 1.0));
    EXPECT_EQ(calls[1], std::make_pair(1, 6.0));
    EXPECT_EQ(calls[2], std::make_pair(2, 4.0));
}

TEST(Timeline, BoundariesAreExactDoublesOfBeatsAndNegativeTimesWork) {
    std::vector<std::pair<int, double>> calls;
    RecordingLayer a(&calls, 1);
    Timeline timeline;
    timeline.add(-2, -1, &a);
    timeline.add(0, 255 * 0.48, &a);
    timeline.draw(Frame::at(-1.5));
    EXPECT_EQ(calls.size(), 1u);
    timeline.draw(Frame::at(122.4));  // the decimal lies one ulp above 255 × 0.48
    EXPECT_EQ(calls.size(), 1u);
    timeline.draw(Frame::at(255 * 0.48));
    EXPECT_EQ(calls.size(), 2u);
}

TEST(Timeline, ClearDropsEntriesButLayersStayUsable) {
    std::vector<std::pair<int, double>> calls;
    RecordingLayer a(&calls, 1);
    Timeline timeline;
    timeline.add(0, 1, &a);
    timeline.clear();
    timeline.draw(Frame::at(0.5));
    EXPECT_TRUE(calls.empty());
    timeline.add(0, 1, &a);
    timeline.draw(Frame::at(0.5));
    EXPECT_EQ(calls.size(), 1u);
}

}  // namespace
