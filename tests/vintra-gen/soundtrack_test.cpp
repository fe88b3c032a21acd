#include "vintra-gen/sound/soundtrack.h"

#include <gtest/gtest.h>

#include <cmath>

#include "platform/sound/test_mp3.h"

namespace {

constexpr int kRate = gen::kSoundtrackRate;

double rms(const std::vector<int16_t>& pcm, double from, double to) {
    size_t first = static_cast<size_t>(from * kRate) * 2;
    size_t last = std::min(pcm.size(), static_cast<size_t>(to * kRate) * 2);
    double sum = 0;
    for (size_t i = first; i < last; ++i)
        sum += static_cast<double>(pcm[i]) * pcm[i];
    return last > first ? std::sqrt(sum / (last - first)) : 0;
}

// Energy below a few hundred Hz (a running mean over 2 ms) in a window after `at`.
double lowEnergy(const std::vector<int16_t>& pcm, double at, double seconds) {
    size_t first = static_cast<size_t>(at * kRate);
    size_t count = static_cast<size_t>(seconds * kRate);
    constexpr int kWindow = 88;
    double sum = 0;
    double running = 0;
    for (size_t i = first; i < first + count; ++i) {
        running += pcm[2 * i] - (i >= first + kWindow ? pcm[2 * (i - kWindow)] : 0);
        double mean = running / kWindow;
        sum += mean * mean;
    }
    return sum / count;
}

TEST(Soundtrack, SectionsFollowTheShowWithAKickOnEveryBeat) {
    std::vector<int16_t> pcm = gen::synthesiseSoundtrack();
    ASSERT_EQ(pcm.size(), static_cast<size_t>(gen::kSoundtrackSeconds * kRate) * 2);

    double opening = rms(pcm, 0, 11.52);
    double groove = rms(pcm, 27, 42.5);
    double peak = rms(pcm, 43, 77.5);
    double breakdown = rms(pcm, 95, 114);
    double drop = rms(pcm, 122.5, 160);
    EXPECT_GT(opening, 300) << "the titles are not silent";
    EXPECT_LT(opening * 2, groove);
    EXPECT_LT(groove * 1.1, peak);
    EXPECT_LT(breakdown * 1.3, peak);
    EXPECT_LT(breakdown * 1.3, drop);
    EXPECT_LT(rms(pcm, 178, 182), opening) << "the ending fades out";
    EXPECT_EQ(rms(pcm, 182, 186), 0) << "silent after 182 s";

    // In the peak the low end hits on the beat, not between beats.
    for (double beat = 100; beat < 104; ++beat) {
        double on = lowEnergy(pcm, beat * kBeatSeconds, 0.06);
        double off = lowEnergy(pcm, (beat + 0.5) * kBeatSeconds - 0.06, 0.06);
        EXPECT_GT(on, 2 * off) << "beat " << beat;
    }
    // In the breakdown there is no kick.
    double on = lowEnergy(pcm, 210 * kBeatSeconds, 0.06);
    EXPECT_LT(on, lowEnergy(pcm, 100 * kBeatSeconds, 0.06) / 4);
}

// The loudness the morphing model swells with: the mean magnitude of the mono mix over one
// mixing block, scaled as the layer scales it (1 for a mean of 12,800).
double morphLevel(const std::vector<int16_t>& pcm, double from) {
    const size_t first = static_cast<size_t>(from * kRate);
    double sum = 0;
    for (size_t i = first; i < first + 1024; ++i) {
        sum += std::fabs((pcm[2 * i] + pcm[2 * i + 1]) / 2.0);
    }
    return sum / 1024 / 12800;
}

TEST(Soundtrack, TheMorphingModelHearsTheKickAndLittleHalfABeatLater) {
    std::vector<int16_t> pcm = gen::synthesiseSoundtrack();
    // Beats of both morph sections, before the drop and after it.
    for (double beat : {176.0, 181.0, 186.0, 275.0, 290.0, 301.0}) {
        const double kick = beat * kBeatSeconds;
        for (double after : {0.01, 0.05}) {
            EXPECT_GT(morphLevel(pcm, kick + after), 0.9) << "beat " << beat << " +" << after;
        }
        EXPECT_LT(morphLevel(pcm, kick + kBeatSeconds / 2), 0.35) << "beat " << beat;
    }
}

TEST(Soundtrack, ClipsArePrefixesAndEncodeToTheSameBytesEveryRun) {
    std::vector<int16_t> shortPcm = gen::synthesiseSoundtrack(2.0);
    std::vector<int16_t> longPcm = gen::synthesiseSoundtrack(4.0);
    ASSERT_EQ(shortPcm.size(), 2u * 2 * kRate);
    EXPECT_TRUE(std::equal(shortPcm.begin(), shortPcm.end(), longPcm.begin()));

    std::vector<uint8_t> first = gen::makeSoundtrackClip(3.0);
    std::vector<uint8_t> second = gen::makeSoundtrackClip(3.0);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, second);
    // 192 kbit/s for 3 s, give or take the padding frames.
    EXPECT_NEAR(first.size(), 192000 / 8 * 3, 3000);

    // The Info tag lets the decoder drop LAME's delay: the decoded clip has the exact length.
    std::string path = testing_support::writeFile("clip.mp3", first);
    std::vector<int16_t> decoded = testing_support::decodeAll(path);
    EXPECT_EQ(decoded.size(), 3u * 2 * kRate);
}

}  // namespace
