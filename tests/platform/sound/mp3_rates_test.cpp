// Any MP3 an author drops in plays at the right pitch and speed through the mixer's
// 44.1 kHz stereo: LAME-made files at every rate, mono and stereo, CBR/VBR/ABR, tagged.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/sound/lame_variants.h"
#include "platform/sound/mp3_stream.h"
#include "platform/sound/mp3_survey.h"
#include "platform/sound/test_mp3.h"

namespace sound = platform::sound;
using namespace testing_support;

namespace {

constexpr int kMixRate = 44100;
constexpr double kSeconds = 3.0;
constexpr double kLow = 440.0;   // Hz, the first 1.5 s
constexpr double kHigh = 660.0;  // Hz, from 1.5 s on

// The pitch of one channel over `frames` frames from `first`, from its upward zero
// crossings (interpolated between samples).
double pitch(const std::vector<int16_t>& pcm, int channel, int first, int frames) {
    double firstCrossing = -1;
    double lastCrossing = -1;
    int crossings = 0;
    for (int i = first + 1; i < first + frames; ++i) {
        double a = pcm[2 * (i - 1) + channel];
        double b = pcm[2 * i + channel];
        if (a < 0 && b >= 0) {
            double at = i - 1 + a / (a - b);
            if (crossings == 0)
                firstCrossing = at;
            lastCrossing = at;
            ++crossings;
        }
    }
    if (crossings < 2)
        return 0;
    return (crossings - 1) * kMixRate / (lastCrossing - firstCrossing);
}

std::vector<int16_t> readFrames(sound::Mp3Stream& stream, int frames) {
    std::vector<int16_t> pcm(static_cast<size_t>(frames) * 2);
    stream.read(pcm.data(), frames);
    return pcm;
}

const Mp3Kind kKinds[] = {
    {8000, 1, BitRateMode::Constant},
    {11025, 2, BitRateMode::Variable},
    {12000, 1, BitRateMode::Average},
    {16000, 2, BitRateMode::Constant, true, false, true},
    {22050, 1, BitRateMode::Constant, true, true},
    {24000, 2, BitRateMode::Variable},
    {32000, 1, BitRateMode::Constant, false},
    {44100, 1, BitRateMode::Variable, true, false, false, true},
    {48000, 2, BitRateMode::Constant, true, true, true, true},
    {48000, 1, BitRateMode::Average, false, false, true},
};

TEST(Mp3AnyRate, PlaysAtTheRightPitchSpeedAndPosition) {
    for (const Mp3Kind& kind : kKinds) {
        SCOPED_TRACE(describe(kind));
        auto pcm = twoTones(kind.rate, kind.channels, kSeconds, kLow, kHigh, kSeconds / 2);
        auto bytes = withTags(lameEncode(pcm, kind), kind);
        ASSERT_FALSE(bytes.empty());
        std::string path = writeFile("kind-" + std::to_string(&kind - kKinds) + ".mp3", bytes);

        sound::Error error{};
        std::string reason;
        auto stream = sound::Mp3Stream::open(path, kMixRate, error, reason);
        ASSERT_NE(stream, nullptr) << "error " << static_cast<int>(error) << ": " << reason;
        EXPECT_EQ(stream->fileRate(), kind.rate);
        // Without the encoder's header its delay and padding stay in: up to two frames.
        double tolerance = kind.xingHeader ? 0.01 : 0.1;
        EXPECT_NEAR(stream->lengthFrames() / double(kMixRate), kSeconds, tolerance);

        auto all = readFrames(*stream, static_cast<int>(stream->lengthFrames()));
        EXPECT_TRUE(stream->atEnd());
        for (int channel : {0, 1}) {
            EXPECT_NEAR(pitch(all, channel, kMixRate / 4, kMixRate), kLow, kLow * 0.005);
            EXPECT_NEAR(pitch(all, channel, 2 * kMixRate, kMixRate / 2), kHigh, kHigh * 0.005);
        }

        // The seek index works in the mixer's frames: 2.2 s is in the high tone, 0.4 s in the
        // low one, whatever the file's rate.
        stream->seekMilliseconds(2200);
        EXPECT_EQ(stream->positionFrames(), 2200 * kMixRate / 1000);
        EXPECT_NEAR(pitch(readFrames(*stream, kMixRate / 2), 0, 1000, kMixRate / 3), kHigh, 5);
        stream->seekMilliseconds(400);
        EXPECT_NEAR(pitch(readFrames(*stream, kMixRate / 2), 1, 1000, kMixRate / 3), kLow, 5);
        stream->seekMilliseconds(-250);
        EXPECT_EQ(stream->positionFrames(), -250 * kMixRate / 1000);
        stream->seekMilliseconds(10000);
        EXPECT_TRUE(stream->atEnd());

        // Whole, tags and all: `--check` finds nothing to say about it.
        const sound::Mp3Survey survey = sound::Mp3Survey::of(path);
        EXPECT_TRUE(survey.decoded) << survey.failure;
        EXPECT_TRUE(survey.resyncs.empty()) << "a resync at " << survey.resyncs.front().at << " s";
        EXPECT_FALSE(survey.cutInFrame);
        EXPECT_LT(survey.lostSeconds(), 0.001);
        EXPECT_NEAR(survey.heardSeconds, stream->lengthFrames() / double(kMixRate), 0.001);
    }
}

TEST(Mp3AnyRate, UnplayableFilesSayWhy) {
    Mp3Kind kind{22050, 2, BitRateMode::Constant};
    auto mp3 = lameEncode(twoTones(22050, 2, 1.0, kLow, kHigh, 0.5), kind);
    // An MPEG layer II frame header (44.1 kHz, 192 kbit/s) repeated: MPEG audio, not MP3.
    std::vector<uint8_t> layer2;
    for (int frame = 0; frame < 40; ++frame) {
        layer2.insert(layer2.end(), {0xFF, 0xFD, 0xA4, 0x00});
        layer2.insert(layer2.end(), 623, 0x55);
    }
    struct Case {
        std::string path;
        sound::Error error;
    };
    const Case cases[] = {
        {"/nonexistent/Ostrel.mp3", sound::Error::FileNotFound},
        {writeFile("cut.mp3", {mp3.begin(), mp3.begin() + 40}), sound::Error::UnknownFormat},
        {writeFile("layer2.mp2", layer2), sound::Error::UnknownFormat},
    };
    for (const Case& c : cases) {
        sound::Error error{};
        std::string reason;
        EXPECT_EQ(sound::Mp3Stream::open(c.path, kMixRate, error, reason), nullptr) << c.path;
        EXPECT_EQ(error, c.error) << c.path;
        EXPECT_FALSE(reason.empty()) << c.path;
    }
}

TEST(Mp3AnyRate, FramesAtAnotherRateInsideTheFileAreDroppedQuietly) {
    Mp3Kind first{22050, 2, BitRateMode::Constant, false};
    Mp3Kind second{44100, 2, BitRateMode::Constant, false};
    auto bytes = lameEncode(twoTones(22050, 2, 1.0, kLow, kLow, 1.0), first);
    auto more = lameEncode(twoTones(44100, 2, 1.0, kHigh, kHigh, 1.0), second);
    bytes.insert(bytes.end(), more.begin(), more.end());
    std::string path = writeFile("two-rates.mp3", bytes);

    sound::Error error{};
    auto stream = sound::Mp3Stream::open(path, kMixRate, error);
    ASSERT_NE(stream, nullptr) << static_cast<int>(error);
    testing::internal::CaptureStderr();
    std::vector<int16_t> block(2 * 4096);
    int frames = 0;
    for (int i = 0; i < 100 && !stream->atEnd(); ++i)
        frames += stream->read(block.data(), 4096);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "the library's noise reaches us";
    EXPECT_TRUE(stream->atEnd());
    EXPECT_GE(frames, kMixRate * 9 / 10) << "the first part plays";
    EXPECT_LE(frames, kMixRate * 11 / 10) << "the part at another rate plays too";
}

}  // namespace
