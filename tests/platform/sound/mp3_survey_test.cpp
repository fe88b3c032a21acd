// The survey behind `tarvel --check`'s music lines, on real damage done to a LAME file: junk
// in the middle, frames cut out, the end cut off. It must find the place, the music lost
// and the cut end, and hear exactly what the show's stream plays.
#include "platform/sound/mp3_survey.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/sound/mp3_stream.h"
#include "platform/sound/test_mp3.h"

namespace sound = platform::sound;
using namespace testing_support;

namespace {

constexpr int kRate = 44100;
constexpr double kSeconds = 20.0;
constexpr double kFrameSeconds = 1152.0 / kRate;

struct Damaged {
    const char* name;
    std::vector<uint8_t> bytes;
};

// Bytes that never repeat and now and then look like the start of a frame at another rate.
std::vector<uint8_t> junk(size_t count) {
    std::vector<uint8_t> bytes(count);
    uint32_t state = 7;
    for (size_t i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        bytes[i] = (i % 1500 == 0) ? 0xFF : static_cast<uint8_t>(state >> 23);
    }
    return bytes;
}

// Every sample the show's stream plays of the file, at the mixer's rate.
int64_t streamFrames(const std::string& path) {
    sound::Error error{};
    auto stream = sound::Mp3Stream::open(path, kRate, error);
    if (!stream) {
        return -1;
    }
    std::vector<int16_t> block(2 * 4096);
    int64_t frames = 0;
    while (!stream->atEnd()) {
        frames += stream->read(block.data(), 4096);
    }
    return frames;
}

TEST(Mp3Survey, FindsTheDamageTheMusicLostAndACutEnd) {
    const std::vector<uint8_t> whole = gen::encodeMp3(wanderingSignal(kRate * kSeconds), kRate);
    ASSERT_FALSE(whole.empty());
    const size_t at = whole.size() * 2 / 5;  // 8 s in
    const auto head = [&](size_t n) {
        return std::vector<uint8_t>(whole.begin(), whole.begin() + n);
    };
    const auto join = [](std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::vector<uint8_t> tail(whole.begin() + at, whole.end());

    const std::string clean = writeFile("survey-whole.mp3", whole);
    sound::Mp3Survey survey = sound::Mp3Survey::of(clean);
    ASSERT_TRUE(survey.decoded) << survey.failure;
    EXPECT_TRUE(survey.resyncs.empty());
    EXPECT_FALSE(survey.cutInFrame);
    EXPECT_NEAR(survey.announcedSeconds, kSeconds, kFrameSeconds);
    EXPECT_EQ(survey.lostSeconds(), 0.0);
    EXPECT_EQ(static_cast<int64_t>(survey.heardSeconds * kRate + 0.5), streamFrames(clean));

    // 6000 bytes of junk: found at 8 s, the music goes on after it, at most two frames lost.
    const std::string junked = writeFile("survey-junk.mp3", join(join(head(at), junk(6000)), tail));
    survey = sound::Mp3Survey::of(junked);
    ASSERT_EQ(survey.resyncs.size(), 1u);
    EXPECT_NEAR(survey.resyncs[0].at, 8.0, 0.1);
    EXPECT_GE(survey.resyncs[0].skippedBytes, 6000);
    EXPECT_LE(survey.lostSeconds(), 2 * kFrameSeconds + 1e-9);
    EXPECT_NEAR(survey.heardSeconds, kSeconds, 2 * kFrameSeconds + 1e-9);
    EXPECT_EQ(static_cast<int64_t>(survey.heardSeconds * kRate + 0.5), streamFrames(junked));

    // 20,000 bytes cut out: 31 or 32 frames of 627 bytes, and the place they were.
    const std::string cut = writeFile(
        "survey-cut.mp3", join(head(at), std::vector<uint8_t>(tail.begin() + 20000, tail.end())));
    survey = sound::Mp3Survey::of(cut);
    ASSERT_EQ(survey.resyncs.size(), 1u);
    EXPECT_NEAR(survey.resyncs[0].at, 8.0, 0.1);
    EXPECT_NEAR(survey.lostSeconds(), 20000 / 627.0 * kFrameSeconds, 1.5 * kFrameSeconds);
    EXPECT_FALSE(survey.cutInFrame);
    EXPECT_EQ(static_cast<int64_t>(survey.heardSeconds * kRate + 0.5), streamFrames(cut));

    // The end cut off inside a frame: no damage before it, the rest announced but unheard.
    const std::string shortened = writeFile("survey-short.mp3", head(at));
    survey = sound::Mp3Survey::of(shortened);
    EXPECT_TRUE(survey.resyncs.empty());
    EXPECT_TRUE(survey.cutInFrame);
    EXPECT_NEAR(survey.heardSeconds, 8.0, 0.1);
    EXPECT_NEAR(survey.lostSeconds(), kSeconds - 8.0, 0.1);

    // Not MPEG audio at all.
    survey = sound::Mp3Survey::of(writeFile("survey-junk-only.mp3", junk(4000)));
    EXPECT_FALSE(survey.decoded && survey.heardSeconds > 0);
}

}  // namespace
