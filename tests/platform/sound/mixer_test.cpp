#include "platform/sound/mixer.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/sound/mp3_stream.h"
#include "test_mp3.h"

namespace platform::sound {
namespace {

int64_t steadyNow() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A device that plays slower or faster than the clock: the stream is set back in step once
// it is heard more than half a block away from where the clock says it should be.
TEST(Mixer, KeepsAPlayingStreamInStepWithTheClock) {
    Error error{};
    auto stream = Mp3Stream::open(testing_support::testMp3(), 44100, error);
    ASSERT_TRUE(stream);
    Mixer mixer(44100, MixerKind::Int16);
    mixer.play(stream.get());
    const int64_t start = steadyNow();

    // 5 ms late: within half a block, left alone.
    mixer.keepInStep(start + 5'000'000, 0);
    EXPECT_EQ(mixer.positionFrames(stream.get()), 0);

    // Half a second later nothing was played: the stream jumps to where it should be.
    mixer.keepInStep(start + 500'000'000, 0);
    EXPECT_NEAR(mixer.positionFrames(stream.get()), 22050, 100);

    // Queued frames count as not yet heard.
    mixer.seek(stream.get(), 1000);
    const int64_t seeked = steadyNow();
    mixer.keepInStep(seeked, 4096);
    EXPECT_NEAR(mixer.positionFrames(stream.get()), 44100 + 4096, 100);

    mixer.stop(stream.get());
    mixer.keepInStep(seeked + 900'000'000, 0);
    EXPECT_NEAR(mixer.positionFrames(stream.get()), 44100 + 4096, 100);
}

}  // namespace
}  // namespace platform::sound
