#include "shell/options.h"

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

    EXPECT_FALSE(options.hasSize);
    EXPECT_EQ(options.outputWidth, 800);
    EXPECT_EQ(options.outputHeight, 600);

    Options recording;
    ASSERT_TRUE(
        parse({"--capture", "a.webm", "--fps", "30", "--size", "1920x1080"}, recording, error));
    EXPECT_DOUBLE_EQ(recording.startTime(), 0.0) << "a recording skips the empty lead-in";
    EXPECT_TRUE(recording.hasSize);
    EXPECT_EQ(recording.outputWidth, 1920);
    EXPECT_EQ(recording.outputHeight, 1080);
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
        {"--size", "1920x1080"},
        {"--size", "1920x1080", "--fullscreen"},
        {"--bench", "--size", "1920x"},
        {"--bench", "--size", "1920x1080p"},
        {"--bench", "--size", "8x6"},
    };
    for (const auto& args : bad) {
        Options options;
        std::string error;
        EXPECT_FALSE(parse(args, options, error)) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
}

TEST(Options, LoopStartsAtItsStartAndRefusesWhatCannotLoop) {
    Options options;
    std::string error;
    ASSERT_TRUE(
        parse({"--watch", "--loop", "-2", "9.6", "--windowed", "--mode-switch"}, options, error))
        << error;
    EXPECT_TRUE(options.watch && options.hasLoop && options.windowed && options.modeSwitch);
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
