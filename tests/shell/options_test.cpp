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
// given, from the first frame at or after its time; several due at one frame all go.
TEST(Options, SeveralShotsAreTakenInShowTimeOrderEachFromItsOwnFrame) {
    Options options;
    std::string error;
    ASSERT_TRUE(parse({"--shot", "12", "c.png", "--shot", "3", "a.png", "--shot", "3.2", "b.png"},
                      options, error))
        << error;
    ASSERT_EQ(options.shots.size(), 3u);
    ShotSeries realTime(options.shots, 0, -4);
    EXPECT_EQ(realTime.takeDue(2.9), nullptr);
    realTime.passed(2.9);
    const Options::Shot* first = realTime.takeDue(3.25);
    const Options::Shot* second = realTime.takeDue(3.25);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->file, "a.png");
    EXPECT_EQ(second->file, "b.png");
    EXPECT_EQ(realTime.takeDue(3.25), nullptr);
    EXPECT_DOUBLE_EQ(realTime.pendingTime(), 12.0);
    realTime.passed(3.25);
    ASSERT_NE(realTime.takeDue(12.0), nullptr);
    EXPECT_TRUE(realTime.done());

    // On a grid of 10 frames a second: the frame at 3.2 takes the shot at 3.2, the frame at
    // 3.3 (a step late) does not, nor does a frame that passed over 12 by a jump.
    ShotSeries stepped(options.shots, 10, -4);
    EXPECT_EQ(stepped.takeDue(2.9), nullptr);
    ASSERT_NE(stepped.takeDue(3.0), nullptr);
    EXPECT_EQ(stepped.takeDue(3.3), nullptr) << "3.2's frame was skipped";
    EXPECT_NE(stepped.takeDue(3.2), nullptr) << "a loop's next pass reaches it";
    EXPECT_EQ(stepped.takeDue(15.0), nullptr);
    EXPECT_NE(stepped.takeDue(12.0), nullptr);
}

// Stills from the window: a loop takes them in whichever pass reaches them.
TEST(Options, ShotsWithAWindowOrALoopAreTakenFromTheWindow) {
    Options options;
    std::string error;
    ASSERT_TRUE(parse({"--windowed", "--fps", "30", "--loop", "99", "101", "--from", "100.5",
                       "--shot", "100", "a.png"},
                      options, error))
        << error;
    EXPECT_FALSE(options.offline()) << "a window, not an offscreen run";
    Options offscreen;
    ASSERT_TRUE(parse({"--shot", "100", "a.png"}, offscreen, error)) << error;
    EXPECT_TRUE(offscreen.offline());
    Options outside;
    EXPECT_FALSE(parse({"--loop", "99", "101", "--shot", "98", "a.png"}, outside, error));
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

namespace {

TEST(Options, TakesTheUsualGnuForms) {
    Options options;
    std::string error;
    ASSERT_TRUE(parse({"--fps=30", "--mode", "--shot=5", "a.png", "--from", "4", "--size=1280x720",
                       "--data=d", "--"},
                      options, error))
        << error;
    EXPECT_DOUBLE_EQ(options.framesPerSecond, 30);
    EXPECT_TRUE(options.modeSwitch) << "an unambiguous prefix";
    EXPECT_TRUE(options.shot);
    EXPECT_DOUBLE_EQ(options.shotTime, 5);
    EXPECT_EQ(options.shotFile, "a.png");
    EXPECT_DOUBLE_EQ(options.from, 4);
    EXPECT_EQ(options.dataDirectory, "d");
    EXPECT_TRUE(options.hasSize);
    EXPECT_EQ(options.outputWidth, 1280);
    EXPECT_EQ(options.outputHeight, 720);

    Options looping;
    ASSERT_TRUE(parse({"--loop=40", "48", "--mode-switch"}, looping, error)) << error;
    EXPECT_DOUBLE_EQ(looping.loopEnd, 48);
    EXPECT_TRUE(looping.modeSwitch);
    Options layer;
    ASSERT_TRUE(parse({"--rend=gles", "--bench"}, layer, error)) << error;
    EXPECT_TRUE(layer.glesRenderer);
    EXPECT_FALSE(looping.glesRenderer) << "the system's GL by default";
    Options listing;
    ASSERT_TRUE(parse({"--sched"}, listing, error) && listing.schedule) << error;
    Options help;
    EXPECT_TRUE(parse({"-h", "--frobnicate=1"}, help, error) == false) << "unknown still refused";
    EXPECT_TRUE(parse({"-h"}, help, error) && help.help);
    // Parsing twice in one process starts afresh.
    Options again;
    ASSERT_TRUE(parse({"--fps", "25"}, again, error)) << error;
    EXPECT_DOUBLE_EQ(again.framesPerSecond, 25);
}

TEST(Options, RefusesWithOneLineNamingTheProblem) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> bad = {
        {{"--frobnicate"}, "--frobnicate"},
        {{"-x"}, "-x"},
        {{"--fps"}, "--fps"},
        {{"--fps", "abc"}, "--fps"},
        {{"stray"}, "stray"},
        {{"--", "stray"}, "stray"},
        {{"--f", "3"}, "--f"},  // --fps, --from, --fullscreen
        {{"--size", "800"}, "--size"},
        {{"--size", "0x600"}, "--size"},
        {{"--size", "7681x4320"}, "--size"},
        {{"--size", "800x600x"}, "--size"},
        {{"--shot", "5"}, "--shot"},
        {{"--shot", "5", "--fps", "20"}, "--shot"},
        {{"--shot", "300", "a.png"}, "within the show"},
        {{"--shot", "185", "a.png"}, "within the show"},
        {{"--shot", "5", "a.png", "--from", "10"}, "before --from"},
        {{"--shot", "50", "a.png", "--to", "40"}, "after --to"},
        {{"--shot", "5", "a.jpg"}, ".png"},
        {{"--shot", "5", ".png"}, ".png"},
        {{"--renderer", "vulkan"}, "gl or gles"},
    };
    for (const auto& [args, named] : bad) {
        Options options;
        std::string error;
        EXPECT_FALSE(parse(args, options, error)) << args[0];
        EXPECT_NE(error.find(named), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    }
}

}  // namespace

// Multisampling by default where a viewer sees the steps: 1080 lines of picture and up
// offline (1440 x 1080 is 4:3 at 1080 lines; 1920 x 1000 is not), and in a window;
// --samples overrides every default, 0 included.
TEST(Options, SamplesByModeAndSize) {
    struct Case {
        std::vector<std::string> args;
        int samples;
    };
    const Case cases[] = {
        {{"--shot", "5", "a.png"}, 0},
        {{"--shot", "5", "a.png", "--size", "1920x1080"}, 4},
        {{"--shot", "5", "a.png", "--size", "1440x1080"}, 4},
        {{"--shot", "5", "a.png", "--size", "1920x1000"}, 0},
        {{"--capture", "a.mp4", "--size", "3840x2160"}, 4},
        {{"--bench", "--size", "1600x1200"}, 4},
        {{"--windowed"}, 4},
        {{"--capture", "a.mp4", "--size", "3840x2160", "--samples", "0"}, 0},
        {{"--shot", "5", "a.png", "--samples=1"}, 1},
        {{"--windowed", "--samples", "8"}, 8},
    };
    for (const auto& c : cases) {
        Options options;
        std::string error;
        ASSERT_TRUE(parse(c.args, options, error)) << error;
        EXPECT_EQ(options.pictureSamples(), c.samples) << c.args.back();
    }
    for (const char* bad : {"-1", "17", "2.5", "four", ""}) {
        Options options;
        std::string error;
        EXPECT_FALSE(parse({"--samples", bad}, options, error)) << bad;
        EXPECT_NE(error.find("--samples needs"), std::string::npos) << error;
    }
}
