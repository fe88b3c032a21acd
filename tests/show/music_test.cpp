#include "show/music.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "base/keys.h"
#include "platform/process.h"
#include "platform/sound/sound.h"
#include "platform/sound/test_mp3.h"
#include "shell/log_window.h"
#include "show/show_clock.h"
#include "support/test_ui.h"

namespace sound = platform::sound;

namespace {

TEST(CaptureRing, KeepsTheMonoMixOfEitherSampleKindBlockByBlock) {
    CaptureRing ring(4, 16);
    const int16_t pairs[8] = {-3, 0, 100, 201, -32768, -32768, 32767, 32767};
    ring.write(pairs, 4, false);
    EXPECT_EQ(ring.sample(0), -2);  // arithmetic shift rounds towards −∞
    EXPECT_EQ(ring.sample(1), 150);
    EXPECT_EQ(ring.sample(2), -32768);
    EXPECT_EQ(ring.sample(3), 32767);
    EXPECT_EQ(ring.writeBlock(), 1);

    const float floats[8] = {-3.0f, 0.0f, 100.0f, 201.0f, -40000.0f, -40000.0f, 1.9f, 0.0f};
    ring.write(floats, 4, true);
    EXPECT_EQ(ring.sample(4), -1);  // the mean, truncated towards zero
    EXPECT_EQ(ring.sample(5), 150);
    EXPECT_EQ(ring.sample(6), -32768);  // out of range floats are held at the limits
    EXPECT_EQ(ring.sample(7), 0);

    ring.write(pairs, 4, false);
    ring.write(pairs, 4, false);
    EXPECT_EQ(ring.writeBlock(), 0) << "the block index wraps after the last block";
}

TEST(CaptureRing, ReadScopeSamplesTheBlockAfterTheNextWrittenAndWraps) {
    CaptureRing ring(1024, 4096);
    for (int i = 0; i < 4096; ++i)
        ring.setSample(i, static_cast<int16_t>(i / 1024 * 1000 + i % 1024));
    int indices[256];
    int values[256];

    ring.setWriteBlock(1);  // reads block 2
    ring.readScope(indices, values);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(indices[i], 4 * i);
        int sample = 2000 + 4 * i;
        ASSERT_EQ(values[i], static_cast<int>((sample + 32768) / 65536.0f * 1000.0f));
    }
    ring.setWriteBlock(3);  // the last block: reads from the start of the ring
    ring.readScope(indices, values);
    EXPECT_EQ(values[0], 500);
    EXPECT_EQ(values[255], static_cast<int>((1020 + 32768) / 65536.0f * 1000.0f));

    ring.setSample(0, -32768);
    ring.setSample(4, 32767);
    ring.readScope(indices, values);
    EXPECT_EQ(values[0], 0);
    EXPECT_EQ(values[1], 999);
}

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui = &testing_support::installScriptedUi();
        Music::selectOutput(sound::OutputKind::NonRealTime);
        platform::setExitHandler([this](int status) { exitStatus = status; });
    }
    void TearDown() override {
        platform::setExitHandler(nullptr);
        sound::overrideVersion(0);
        sound::setMixerKind(sound::MixerKind::Int16);
        sound::close();
    }
    std::vector<std::string> alerts() const {
        std::vector<std::string> texts;
        for (const auto& m : ui->messages)
            texts.push_back(m.text);
        return texts;
    }

    platform::ScriptedUi* ui = nullptr;
    int exitStatus = -100;
};

TEST_F(MusicTest, PlaysTheStreamIntoTheRingForBothMixerKinds) {
    std::vector<int16_t> reference = testing_support::decodeAll(testing_support::testMp3());
    for (auto kind : {sound::MixerKind::Int16, sound::MixerKind::Float}) {
        sound::setMixerKind(kind);
        Music music;
        ASSERT_NE(music.ring(), nullptr);
        music.open(testing_support::testMp3().c_str());
        ASSERT_NE(music.stream, nullptr);
        music.setVolume(255);
        music.play();
        EXPECT_TRUE(music.playing);
        music.advanceOutput(3 * 1024 / 44100.0);  // blocks 0, 1, 2 of the stream
        EXPECT_EQ(music.ring()->writeBlock(), 3);
        for (int i = 0; i < 3 * 1024; ++i) {
            int mono = (reference[2 * i] + reference[2 * i + 1]);
            int expected = kind == sound::MixerKind::Float ? mono / 2 : mono >> 1;
            ASSERT_EQ(music.ring()->sample(i), expected) << "sample " << i;
        }
    }
    EXPECT_NE(shellLog->text().find("Fmod"), std::string::npos);
    EXPECT_NE(shellLog->text().find("Opening mp3 file: " + testing_support::testMp3()),
              std::string::npos);
    EXPECT_NE(shellLog->text().find("Playing stream mp3..."), std::string::npos);
    EXPECT_TRUE(alerts().empty());
    EXPECT_EQ(exitStatus, -100);
}

TEST_F(MusicTest, BadMusicFilesAlertAndLeaveTheObjectUsable) {
    std::vector<uint8_t> mp3 = gen::encodeMp3(testing_support::wanderingSignal(44100), 44100);
    std::vector<uint8_t> head(mp3.begin(), mp3.begin() + 100);
    std::vector<uint8_t> noise(65536);
    uint32_t state = 99;
    for (uint8_t& byte : noise)
        byte = static_cast<uint8_t>((state = state * 69069u + 1u) >> 24);
    struct Case {
        std::string path;
        const char* alert;
    };
    const Case cases[] = {
        {"/nonexistent/vintra/Ostrel.mp3", "File not found ("},
        {testing_support::writeFile("empty.mp3", {}), "Unknown file format ("},
        {testing_support::writeFile("head.mp3", head), "Unknown file format ("},
        {testing_support::writeFile("noise.mp3", noise), "Unknown file format ("},
        {testing_support::writeFile("words.mp3", {'I', 'D', '3', 'x', 'y', 'z'}),
         "Unknown file format ("},
    };
    Music music;
    for (const Case& c : cases) {
        ui->messages.clear();
        music.open(c.path.c_str());
        EXPECT_EQ(music.stream, nullptr) << c.path;
        // The file, the error's text and the reason in words.
        ASSERT_EQ(alerts().size(), 1u) << c.path;
        EXPECT_EQ(alerts()[0].rfind(c.path + ": " + c.alert, 0), 0u) << alerts()[0];
        EXPECT_EQ(alerts()[0].substr(alerts()[0].size() - 2), ")\n") << alerts()[0];
        music.play();
        music.setPosition(-4000);
        music.stop();
        music.play();
        music.setPosition(90000);
        music.advanceOutput(0.1);
    }
    int indices[256];
    int values[256];
    music.readScope(indices, values);
    EXPECT_EQ(values[0], 500) << "silence reads as the middle of the scale";

    // A file cut in the middle still plays what it has.
    std::vector<uint8_t> half(mp3.begin(), mp3.begin() + mp3.size() / 2);
    ui->messages.clear();
    music.open(testing_support::writeFile("half.mp3", half).c_str());
    ASSERT_NE(music.stream, nullptr);
    EXPECT_TRUE(alerts().empty());
    music.play();
    music.advanceOutput(2.0);
    EXPECT_NEAR(sound::streamTime(music.stream), 500, 30) << "the stream stops at its end";
}

// A show started late (--from) hears the stream from exactly that time, from the first
// block mixed after its first frame: what a recording's sound starts with.
TEST_F(MusicTest, AClockStartedLateHearsTheStreamFromThatTimeInTheNextBlock) {
    const std::vector<int16_t> reference = testing_support::decodeAll(testing_support::testMp3());
    for (double from : {0.75, 1.2345}) {
        Music played;
        played.open(testing_support::testMp3().c_str());
        std::vector<int16_t> heard;
        sound::setSampleSink([&heard](const int16_t* frames, int count) {
            heard.insert(heard.end(), frames, frames + 2 * count);
        });
        ShowClock clock;
        clock.music = &played;
        double tick = 10;
        clock.now = [&tick] { return tick; };
        clock.startClock();
        played.advanceOutput(0.1);  // frames of the lead-in before the first one drawn
        heard.clear();
        clock.startFrom(from);
        clock.updateClock();
        played.advanceOutput(3 * 1024 / 44100.0);
        const size_t start = static_cast<size_t>(static_cast<int>(from * 1000) * 44100 / 1000) * 2;
        ASSERT_GE(heard.size(), 3u * 2048);
        ASSERT_LE(start + heard.size(), reference.size());
        for (size_t i = 0; i < heard.size(); ++i) {
            ASSERT_EQ(heard[i], reference[start + i]) << "from " << from << ", sample " << i;
        }
        sound::setSampleSink(nullptr);
    }
}

TEST_F(MusicTest, OldLibraryVersionAlertsAndLeavesScopeArraysUntouched) {
    sound::close();
    sound::overrideVersion(3.6f);
    Music music;
    EXPECT_EQ(alerts(), std::vector<std::string>{"Error : Wrong DLL version! Use 3.71\n"});
    EXPECT_EQ(music.ring(), nullptr);
    int indices[256];
    int values[256];
    std::fill(indices, indices + 256, -7);
    std::fill(values, values + 256, -9);
    music.readScope(indices, values);
    EXPECT_TRUE(std::all_of(indices, indices + 256, [](int v) { return v == -7; }));
    EXPECT_TRUE(std::all_of(values, values + 256, [](int v) { return v == -9; }));

    music.open(testing_support::testMp3().c_str());
    EXPECT_EQ(alerts().back(), testing_support::testMp3() +
                                   ": This command failed because FSOUND_Init was not called\n");
    music.play();
    music.stop();
    music.setPosition(10);
    EXPECT_EQ(exitStatus, -100);
}

TEST_F(MusicTest, TheTerminalHearsOneLineAboutAMissingDevice) {
    ui = &testing_support::installScriptedUi(false);  // the log off, as for a user
    Music::selectOutput(sound::OutputKind::Device);
    testing::internal::CaptureStderr();
    { Music first; }
    { Music again; }  // as after F1
    std::string said = testing::internal::GetCapturedStderr();
    if (sound::outputKind() == sound::OutputKind::Silent) {
        EXPECT_EQ(said, "tarvel: no sound device: playing silently\n");
    } else {
        EXPECT_EQ(said, "") << "a machine with a sound device: nothing to say";
    }
    EXPECT_TRUE(alerts().empty());
    EXPECT_EQ(exitStatus, -100);
}

TEST(MusicErrorNames, CoverTheTableAndUnknownCodes) {
    EXPECT_STREQ(Music::errorName(0), "No errors");
    EXPECT_STREQ(Music::errorName(12), "Not enough memory ");
    EXPECT_STREQ(Music::errorName(18), "Required Mediaplayer codec is not installed");
    EXPECT_STREQ(Music::errorName(19), "Unknown error");
    EXPECT_STREQ(Music::errorName(-1), "Unknown error");
}

}  // namespace

namespace {

// The mixer thread writes the ring while the main thread reads it and moves the stream:
// run under ThreadSanitizer (preset tsan) this must report nothing.
TEST_F(MusicTest, SharesTheRingWithARealTimeMixerThread) {
    Music::selectOutput(sound::OutputKind::Silent);
    Music music;
    music.open(testing_support::testMp3().c_str());
    music.play();
    int indices[256];
    int values[256];
    int64_t checksum = 0;
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    for (int i = 0; std::chrono::steady_clock::now() < until; ++i) {
        music.readScope(indices, values);
        checksum += values[i % 256];
        if (i % 50 == 0)
            music.setPosition(i % 2000);
        if (i % 70 == 0)
            music.stop();
        if (i % 70 == 1)
            music.play();
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    EXPECT_GT(checksum, 0);
    sound::close();
}

}  // namespace
