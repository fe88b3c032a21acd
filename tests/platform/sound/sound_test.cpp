#include "platform/sound/sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/sound/test_mp3.h"

namespace sound = platform::sound;
using testing_support::decodeAll;
using testing_support::testMp3;

namespace {

struct Recorder {
    std::vector<int16_t> samples;
    std::vector<float> floats;
    std::vector<int> frames;
    std::vector<int>* order = nullptr;
    int id = 0;
};

void* record(void* block, int frames, void* user) {
    auto* recorder = static_cast<Recorder*>(user);
    recorder->frames.push_back(frames);
    if (recorder->order)
        recorder->order->push_back(recorder->id);
    if (sound::mixerKind() == sound::MixerKind::Float) {
        auto* f = static_cast<float*>(block);
        recorder->floats.insert(recorder->floats.end(), f, f + 2 * frames);
    } else {
        auto* s = static_cast<int16_t*>(block);
        recorder->samples.insert(recorder->samples.end(), s, s + 2 * frames);
    }
    return block;
}

class SoundLayer : public ::testing::Test {
protected:
    void SetUp() override {
        sound::setMixerKind(sound::MixerKind::Int16);
        ASSERT_TRUE(sound::init(44100, 128, sound::OutputKind::NonRealTime));
        stream = sound::openStream(testMp3().c_str());
        ASSERT_NE(stream, nullptr) << "error " << static_cast<int>(sound::lastError());
        unit = sound::createDspUnit(record, 303, &recorder);
        sound::setDspActive(unit, true);
    }
    void TearDown() override {
        sound::close();
        sound::setMixerKind(sound::MixerKind::Int16);
    }
    // Mixes one block and returns it.
    std::vector<int16_t> nextBlock() {
        recorder.samples.clear();
        sound::advance(1024.0 / 44100.0);
        return recorder.samples;
    }

    sound::Mp3Stream* stream = nullptr;
    sound::DspUnit* unit = nullptr;
    Recorder recorder;
};

// Where `block` sits in `reference`, searched within ±`range` frames of `expected`; −1 if
// nowhere.
long findBlock(const std::vector<int16_t>& reference, const std::vector<int16_t>& block,
               long expected, long range) {
    for (long frame = std::max(0L, expected - range); frame <= expected + range; ++frame) {
        size_t offset = static_cast<size_t>(frame) * 2;
        if (offset + block.size() > reference.size())
            break;
        if (std::equal(block.begin(), block.end(), reference.begin() + offset))
            return frame;
    }
    return -1;
}

TEST_F(SoundLayer, BlocksOf1024FramesCarryTheDecodedStream) {
    std::vector<int16_t> reference = decodeAll(testMp3());
    ASSERT_NEAR(reference.size() / 2.0, 2 * 44100, 1152);

    sound::playStream(stream);
    for (int frame = 0; frame < 60; ++frame)
        sound::advance(1.0 / 60);
    // One second of show time needs 44100 frames: 44 blocks, the last one partly ahead.
    ASSERT_EQ(recorder.frames.size(), 44u);
    EXPECT_TRUE(std::all_of(recorder.frames.begin(), recorder.frames.end(),
                            [](int f) { return f == 1024; }));
    ASSERT_EQ(recorder.samples.size(), 44u * 1024 * 2);
    EXPECT_TRUE(std::equal(recorder.samples.begin(), recorder.samples.end(), reference.begin()))
        << "mixed output differs from the mpg123 decode";
    EXPECT_EQ(sound::blockLength(), 1024);
    EXPECT_EQ(sound::bufferLengthTotal(), 4096);
}

TEST_F(SoundLayer, SeekLandsWithinOneBlockAndHandlesOutOfRangeTimes) {
    std::vector<int16_t> reference = decodeAll(testMp3());
    sound::playStream(stream);
    for (int ms : {500, 1234, 0, 1900}) {
        ASSERT_TRUE(sound::setStreamTime(stream, ms));
        long expected = ms * 44100L / 1000;
        long found = findBlock(reference, nextBlock(), expected, 1024);
        EXPECT_NE(found, -1) << "seek to " << ms << " ms landed more than a block away";
    }

    // A negative time plays that much silence first, then the start of the file.
    sound::setStreamTime(stream, -20);
    EXPECT_EQ(sound::streamTime(stream), -20);
    std::vector<int16_t> lead = nextBlock();
    long silent = 20 * 44100L / 1000;
    EXPECT_TRUE(
        std::all_of(lead.begin(), lead.begin() + silent * 2, [](int16_t s) { return s == 0; }));
    EXPECT_TRUE(std::equal(lead.begin() + silent * 2, lead.end(), reference.begin()));

    // Past the end: silence, and a later seek back plays again.
    ASSERT_TRUE(sound::setStreamTime(stream, 60000));
    std::vector<int16_t> after = nextBlock();
    EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](int16_t s) { return s == 0; }));
    sound::setStreamTime(stream, 1000);
    EXPECT_NE(findBlock(reference, nextBlock(), 44100, 1024), -1);
}

TEST_F(SoundLayer, StopSilencesAndPlayResumesWhereItStopped) {
    std::vector<int16_t> reference = decodeAll(testMp3());
    std::vector<int16_t> silent = nextBlock();  // nothing plays before playStream
    EXPECT_TRUE(std::all_of(silent.begin(), silent.end(), [](int16_t s) { return s == 0; }));
    sound::playStream(stream);
    nextBlock();
    nextBlock();
    sound::stopStream(stream);
    std::vector<int16_t> stopped = nextBlock();
    EXPECT_TRUE(std::all_of(stopped.begin(), stopped.end(), [](int16_t s) { return s == 0; }));
    sound::playStream(stream);
    std::vector<int16_t> resumed = nextBlock();
    EXPECT_TRUE(std::equal(resumed.begin(), resumed.end(), reference.begin() + 2 * 2048));

    sound::setMasterVolume(0);
    std::vector<int16_t> muted = nextBlock();
    EXPECT_TRUE(std::all_of(muted.begin(), muted.end(), [](int16_t s) { return s == 0; }));
}

TEST_F(SoundLayer, UnitsRunInPriorityOrderAndTheSinkSeesEveryBlock) {
    std::vector<int> order;
    Recorder late;
    late.id = 2;
    late.order = &order;
    Recorder early;
    early.id = 1;
    early.order = &order;
    sound::setDspActive(sound::createDspUnit(record, 900, &late), true);
    sound::setDspActive(sound::createDspUnit(record, 100, &early), true);
    sound::DspUnit* inactive = sound::createDspUnit(record, 50, &early);
    int sinkBlocks = 0;
    sound::setSampleSink([&](const int16_t*, int count) { sinkBlocks += count == 1024; });
    sound::advance(3 * 1024 / 44100.0);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 1, 2, 1, 2}));
    EXPECT_EQ(sinkBlocks, 3);
    sound::freeDspUnit(inactive);
    sound::setSampleSink(nullptr);
}

TEST_F(SoundLayer, FloatMixerDeliversTheSameSamplesAsFloats) {
    std::vector<int16_t> reference = decodeAll(testMp3());
    sound::setMixerKind(sound::MixerKind::Float);
    sound::playStream(stream);
    sound::advance(1024 / 44100.0);
    ASSERT_EQ(recorder.floats.size(), 2048u);
    for (size_t i = 0; i < recorder.floats.size(); ++i) {
        ASSERT_EQ(recorder.floats[i], static_cast<float>(reference[i])) << "sample " << i;
    }
}

TEST(SoundErrors, FailingCallsRecordTheirCodes) {
    sound::close();
    EXPECT_EQ(sound::openStream(testMp3().c_str()), nullptr);
    EXPECT_EQ(sound::lastError(), sound::Error::NotInitialised);
    EXPECT_FALSE(sound::playStream(nullptr));
    EXPECT_EQ(sound::lastError(), sound::Error::NotInitialised);
    EXPECT_FALSE(sound::setMasterVolume(255));
    EXPECT_EQ(sound::lastError(), sound::Error::NotInitialised);

    ASSERT_TRUE(sound::init(44100, 128, sound::OutputKind::NonRealTime));
    EXPECT_EQ(sound::openStream("/nonexistent/dir/Ostrel.mp3"), nullptr);
    EXPECT_EQ(sound::lastError(), sound::Error::FileNotFound);
    std::string text = testing_support::writeFile("text.mp3", {'h', 'e', 'l', 'l', 'o', '\n'});
    EXPECT_EQ(sound::openStream(text.c_str()), nullptr);
    EXPECT_EQ(sound::lastError(), sound::Error::UnknownFormat);
    EXPECT_FALSE(sound::stopStream(nullptr));
    EXPECT_EQ(sound::lastError(), sound::Error::InvalidParameter);
    EXPECT_FALSE(sound::init(0, 128, sound::OutputKind::NonRealTime));
    EXPECT_EQ(sound::lastError(), sound::Error::InvalidParameter);
    sound::close();
}

TEST(SoundSilentOutput, TimeRunsWithoutADevice) {
    Recorder recorder;
    ASSERT_TRUE(sound::init(44100, 128, sound::OutputKind::Silent));
    sound::Mp3Stream* stream = sound::openStream(testMp3().c_str());
    sound::setDspActive(sound::createDspUnit(record, 303, &recorder), true);
    sound::playStream(stream);
    // A loaded machine may be slow to schedule the mixer thread: wait, but not forever.
    auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (sound::streamTime(stream) < 100 && std::chrono::steady_clock::now() < giveUp) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_GE(sound::streamTime(stream), 100);
    sound::close();  // joins the mixer thread: the recorder is ours again
    EXPECT_FALSE(recorder.frames.empty());
}

}  // namespace
