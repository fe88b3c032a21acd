#include "shell/options.h"

#include "shell/shot_series.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool parse(std::vector<std::string> args, Options& options, std::string& error) {
    args.insert(args.begin(), "tarvel");
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    return parseOptions(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(Options, RecordingAndTheRangeOfShowTime) {
    Options options;
    std::string error;
    ASSERT_TRUE(parse({"--capture", "a.mp4", "--from", "9", "--to", "12.5"}, options, error))
        << error;
    EXPECT_TRUE(options.capture && options.offline());
    EXPECT_EQ(options.captureFile, "a.mp4");
    EXPECT_DOUBLE_EQ(options.startTime(), 9.0);
    EXPECT_DOUBLE_EQ(options.to, 12.5);
    EXPECT_DOUBLE_EQ(options.fixedStep(), 1.0 / 60);

    Options recording;
    ASSERT_TRUE(parse({"--capture", "a.webm", "--fps", "30"}, recording, error));
    EXPECT_DOUBLE_EQ(recording.startTime(), 0.0) << "a recording skips the empty lead-in";
    Options bench;
    ASSERT_TRUE(parse({"--bench", "--chart", "c.svg", "--csv", "c.csv"}, bench, error));
    EXPECT_DOUBLE_EQ(bench.startTime(), -4.0);
    EXPECT_EQ(bench.chartFile, "c.svg");
    EXPECT_EQ(bench.csvFile, "c.csv");
    Options early;
    EXPECT_TRUE(parse({"--to", "-1"}, early, error)) << "the lead-in alone is a range too";
}

TEST(Options, RefusesRangesAndCombinationsThatCannotRun) {
    const std::vector<std::vector<std::string>> bad = {
        {"--capture"},
        {"--capture", ""},
        {"--from", "abc"},
        {"--from", "185"},
        {"--from", "10", "--to", "10"},
        {"--capture", "a.mp4", "--to", "-1"},
        {"--chart", "c.svg"},
        {"--csv", "c.csv", "--capture", "a.mp4"},
        {"--bench", "--capture", "a.mp4"},
        {"--shot", "3", "a.png", "--capture", "a.mp4"},
        {"--schedule", "--bench"},
    };
    for (const auto& args : bad) {
        Options options;
        std::string error;
        EXPECT_FALSE(parse(args, options, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

// Several --shot in one run: each is written once, in show-time order, whatever the order
// given, and several due at one frame all go; the run ends after the last.
TEST(Options, SeveralShotsAreTakenInShowTimeOrder) {
    Options options;
    std::string error;
    ASSERT_TRUE(parse({"--shot", "12", "c.png", "--shot", "3", "a.png", "--shot", "3.2", "b.png"},
                      options, error))
        << error;
    ASSERT_EQ(options.shots.size(), 3u);
    ShotSeries series(options.shots);
    EXPECT_EQ(series.takeDue(2.9), nullptr);
    const Options::Shot* first = series.takeDue(3.25);
    const Options::Shot* second = series.takeDue(3.25);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->file, "a.png");
    EXPECT_EQ(second->file, "b.png");
    EXPECT_EQ(series.takeDue(3.25), nullptr);
    EXPECT_DOUBLE_EQ(series.pendingTime(), 12.0);
    ASSERT_NE(series.takeDue(12.0), nullptr);
    EXPECT_TRUE(series.done());
}

TEST(Options, LoopStartsAtItsStartAndRefusesWhatCannotLoop) {
    Options options;
    std::string error;
    ASSERT_TRUE(parse({"--watch", "--loop", "-2", "9.6", "--windowed"}, options, error)) << error;
    EXPECT_TRUE(options.watch && options.hasLoop && options.windowed);
    EXPECT_DOUBLE_EQ(options.loopStart, -2.0);
    EXPECT_DOUBLE_EQ(options.loopEnd, 9.6);
    EXPECT_DOUBLE_EQ(options.startTime(), -2.0) << "the show starts at the loop's start";
    for (const std::vector<std::string>& bad :
         std::vector<std::vector<std::string>>{{"--loop", "5"},
                                               {"--loop", "0", "186"},
                                               {"--loop", "1", "2", "--to", "3"},
                                               {"--loop", "1", "2", "--from", "2"},
                                               {"--loop", "1", "2", "--bench"}}) {
        Options refused;
        error.clear();
        EXPECT_FALSE(parse(bad, refused, error)) << bad[1] << " " << bad.back();
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
