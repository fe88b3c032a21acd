#include "show/show_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/frame_state.h"
#include "base/keys.h"
#include "platform/sound/mp3_stream.h"
#include "platform/sound/sound.h"
#include "platform/sound/test_mp3.h"
#include "show/music.h"
#include "support/test_ui.h"

namespace {

// A clock on a hand-moved tick that records how the process would end.
struct ClockRig {
    double tick = 100.0;
    std::vector<int> exits;
    ShowClock clock;
    platform::ScriptedUi* ui;

    ClockRig() : ui(&testing_support::installScriptedUi()) {
        clock.now = [this] { return tick; };
        clock.endProcess = [this](int status) { exits.push_back(status); };
        clock.startTime = tick;
        music = nullptr;
    }
    bool frameAt(double showTime) {
        tick = clock.startTime + showTime;
        return clock.updateClock();
    }
};

TEST(ShowClock, LeadInOfFourSecondsAndEndOnlyAbove185) {
    ClockRig rig;
    rig.clock.startClock();
    rig.tick = 100.0;
    rig.clock.updateClock();
    EXPECT_DOUBLE_EQ(rig.clock.time, -4.0);
    EXPECT_DOUBLE_EQ(showTime, -4.0);

    EXPECT_TRUE(rig.frameAt(185.0));
    EXPECT_TRUE(rig.exits.empty());
    EXPECT_FALSE(rig.frameAt(185.001));
    ASSERT_EQ(rig.exits.size(), 1u);
    EXPECT_EQ(rig.exits[0], 0);
}

TEST(ShowClock, MusicStartsOnTheFirstFrameAtZeroOrLaterWhereTheShowIs) {
    ClockRig rig;
    rig.frameAt(-0.01);
    EXPECT_TRUE(rig.clock.musicPending);
    rig.frameAt(0.0);
    EXPECT_FALSE(rig.clock.musicPending);

    // A slow frame lands well past 0: the music starts there, in step with the picture.
    ClockRig late;
    Music::selectOutput(platform::sound::OutputKind::NonRealTime);
    Music player;
    player.open(testing_support::testMp3().c_str());
    ASSERT_NE(player.stream, nullptr);
    music = &player;
    late.frameAt(-0.05);
    EXPECT_EQ(platform::sound::streamTime(player.stream), 0);
    late.frameAt(0.25);
    EXPECT_TRUE(player.playing);
    EXPECT_EQ(platform::sound::streamTime(player.stream), 250);
    music = nullptr;
}

TEST(ShowClock, StartFromPutsTheFirstFrameThereAndEndTimeEndsTheRange) {
    ClockRig rig;
    rig.clock.startClock();
    rig.clock.startFrom(9.5);
    rig.clock.endTime = 12.0;
    rig.clock.updateClock();
    EXPECT_DOUBLE_EQ(rig.clock.time, 9.5);
    EXPECT_DOUBLE_EQ(showTime, 9.5);
    EXPECT_FALSE(rig.clock.musicPending) << "the music starts on that very frame";
    rig.tick += 1.0;
    rig.clock.updateClock();
    EXPECT_DOUBLE_EQ(rig.clock.time, 10.5) << "the show runs on from there";

    EXPECT_TRUE(rig.frameAt(12.0));
    EXPECT_TRUE(rig.exits.empty());
    EXPECT_FALSE(rig.frameAt(12.001));
    EXPECT_EQ(rig.exits, std::vector<int>{0});

    ClockRig lead;
    lead.clock.startFrom(-2.0);
    lead.clock.updateClock();
    EXPECT_DOUBLE_EQ(lead.clock.time, -2.0);
    EXPECT_TRUE(lead.clock.musicPending) << "before 0 the music waits for show time 0";
    EXPECT_TRUE(lead.frameAt(0.0));
    EXPECT_FALSE(lead.clock.musicPending);
}

TEST(ShowClock, SeeksBeyondTheIntegerMillisecondRangeHoldAtItsLimit) {
    ClockRig rig;
    Music::selectOutput(platform::sound::OutputKind::NonRealTime);
    Music player;
    player.open(testing_support::testMp3().c_str());
    ASSERT_NE(player.stream, nullptr);
    music = &player;
    const int64_t length = player.stream->lengthFrames() * 1000 / 44100;
    for (double target : {2200000.0, 4.0e9}) {
        rig.clock.startTime = rig.tick;  // a frame at show time 0, before the show's end
        rig.clock.updateClock();
        rig.clock.seek(target);
        EXPECT_DOUBLE_EQ(rig.clock.time, target);
        // At the end, not wrapped round to a lead of silence before the start.
        EXPECT_EQ(platform::sound::streamTime(player.stream), length) << target;
    }
    music = nullptr;
    platform::sound::close();
}

TEST(ShowClock, LoopWrapsTheClockAndTheMusicAndTheShowRunsOnFromThere) {
    ClockRig rig;
    Music::selectOutput(platform::sound::OutputKind::NonRealTime);
    Music player;
    player.open(testing_support::testMp3().c_str());
    ASSERT_NE(player.stream, nullptr);
    music = &player;
    rig.clock.loop.emplace(1.0, 1.5);
    rig.clock.startFrom(0.5);
    rig.clock.updateClock();
    EXPECT_EQ(platform::sound::streamTime(player.stream), 500);
    rig.tick += 0.75;  // show time 1.25: not yet at the end
    rig.clock.updateClock();
    EXPECT_DOUBLE_EQ(rig.clock.time, 1.25);
    rig.tick += 0.5;  // 1.75 is past the end: 1.25, the music with it
    rig.clock.updateClock();
    EXPECT_DOUBLE_EQ(rig.clock.time, 1.25);
    EXPECT_DOUBLE_EQ(showTime, 1.25);
    EXPECT_EQ(platform::sound::streamTime(player.stream), 1250);
    rig.tick += 0.125;
    rig.clock.updateClock();
    EXPECT_DOUBLE_EQ(rig.clock.time, 1.375) << "the clock runs on from the wrapped time";
    EXPECT_TRUE(rig.exits.empty());
    music = nullptr;
    platform::sound::close();
}

// The player's pause and seek: a held clock keeps its time and lands a seek exactly; music
// is heard only from show time 0, whether the show got before it by a seek or was paused
// in the lead-in.
TEST(ShowClock, PauseHoldsTimeAndMusicAndASeekBeforeZeroWaitsForZeroAgain) {
    ClockRig rig;
    Music::selectOutput(platform::sound::OutputKind::NonRealTime);
    Music player;
    player.open(testing_support::testMp3().c_str());
    ASSERT_NE(player.stream, nullptr);
    music = &player;
    rig.frameAt(0.5);  // the test's music is two seconds long
    ASSERT_TRUE(player.stream->playing);

    rig.clock.pause();
    EXPECT_FALSE(player.stream->playing) << "the music holds with the picture";
    rig.tick += 5.0;
    EXPECT_TRUE(rig.clock.updateClock());
    EXPECT_DOUBLE_EQ(rig.clock.time, 0.5);
    rig.clock.seek(1.25);
    rig.tick += 5.0;
    rig.clock.updateClock();
    EXPECT_DOUBLE_EQ(rig.clock.time, 1.25) << "a held seek lands on its time exactly";
    EXPECT_FALSE(player.stream->playing);
    rig.clock.resume();
    EXPECT_TRUE(player.stream->playing);
    EXPECT_EQ(platform::sound::streamTime(player.stream), 1250);
    rig.tick += 0.25;
    rig.clock.updateClock();
    EXPECT_NEAR(rig.clock.time, 1.5, 1e-9);

    rig.clock.seek(-2.0);
    EXPECT_FALSE(player.stream->playing) << "no music in the lead-in";
    EXPECT_TRUE(rig.clock.musicPending);
    rig.clock.pause();
    rig.clock.resume();
    EXPECT_FALSE(player.stream->playing) << "resuming in the lead-in does not start it";
    rig.tick += 1.0;
    rig.clock.updateClock();
    EXPECT_FALSE(player.stream->playing);
    rig.tick += 1.25;
    rig.clock.updateClock();
    EXPECT_TRUE(player.stream->playing);
    EXPECT_EQ(platform::sound::streamTime(player.stream), 250) << "in step from show time 0";
    music = nullptr;
    platform::sound::close();
}

}  // namespace
