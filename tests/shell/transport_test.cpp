#include "shell/transport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/keys.h"
#include "base/log.h"
#include "camera/camera.h"
#include "camera/camera_keys.h"
#include "camera/transport_requests.h"
#include "shell/input_dialog.h"
#include "show/music.h"
#include "show/show_clock.h"
#include "support/test_ui.h"

namespace {

// The authoring keys on a camera, a clock on a hand-moved tick and the scripted dialogs.
struct TransportRig {
    double tick = 100.0;
    ShowClock clock;
    platform::ScriptedUi* ui;
    Camera camera;
    InputDialog questions;
    TransportRequests requests;
    int reloads = 0;

    TransportRig() : ui(&testing_support::installScriptedUi()) {
        clock.now = [this] { return tick; };
        clock.endProcess = [](int) {};
        clock.startTime = tick;
        music = nullptr;
        logEnabled = true;
    }
    ~TransportRig() { logEnabled = false; }

    void press(std::vector<int> keys) {
        uint8_t table[256] = {};
        for (int key : keys)
            table[key] = 1;
        CameraKeys(camera, questions, requests).handle(table);
    }
    // A frame at `showTime` on the clock as it runs, the requests carried out after it.
    void frameAt(double showTime) {
        tick = clock.startTime + showTime;
        clock.updateClock();
        carryOutTransport(requests, clock, [this] { ++reloads; });
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& message : ui->messages)
            texts.push_back(message.text + "|" + message.caption);
        return texts;
    }
};

TEST(Transport, EachKeyAsksItsQuestionsInOrderAndTheClockWaitsUntilTold) {
    TransportRig rig;
    rig.frameAt(20.0);
    rig.ui->inputAnswers.push_back({platform::Answer::Ok, "7"});
    rig.press({vk::kF12, vk::kF8, vk::kF11});
    // The keys only ask for the seek's time; the clock has been told nothing yet.
    EXPECT_EQ(rig.ui->inputPrompts, std::vector<std::string>{"Ny tid i sek:"});
    EXPECT_TRUE(rig.messages().empty());
    rig.tick += 0.5;
    rig.clock.updateClock();
    EXPECT_DOUBLE_EQ(rig.clock.time, 20.5);
    EXPECT_EQ(rig.reloads, 0);

    // Then reload (answered Yes), pause, seek: the reload restarted at 0, the pause kept
    // it, the seek won.
    carryOutTransport(rig.requests, rig.clock, [&rig] { ++rig.reloads; });
    EXPECT_EQ(rig.messages(),
              (std::vector<std::string>{"Reloade lists too?|Reloade lists too?", "Pause|Pause"}));
    EXPECT_EQ(rig.ui->messages[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(rig.ui->messages[1].buttons, platform::Buttons::Ok);
    EXPECT_EQ(rig.reloads, 1);
    EXPECT_DOUBLE_EQ(rig.clock.time, 7.0);
    EXPECT_FALSE(rig.requests.reload || rig.requests.pause || rig.requests.seek);

    // Carried out once: the next frame asks nothing and runs on from the seek.
    rig.tick += 1.0;
    rig.frameAt(8.0);
    EXPECT_EQ(rig.ui->messages.size(), 2u);
    EXPECT_DOUBLE_EQ(rig.clock.time, 8.0);
}

TEST(Transport, ReloadAnsweredNoRestartsAtZeroWithoutReadingAndAnUnansweredSeekIsNone) {
    TransportRig rig;
    rig.frameAt(30.0);
    rig.ui->inputAnswers.push_back({platform::Answer::Cancel, ""});
    rig.press({vk::kF11});
    EXPECT_FALSE(rig.requests.seek);

    rig.ui->messageAnswers.push_back(platform::Answer::No);
    rig.press({vk::kF12});
    rig.frameAt(12.0);
    EXPECT_EQ(rig.messages(), std::vector<std::string>{"Reloade lists too?|Reloade lists too?"});
    EXPECT_EQ(rig.reloads, 0);
    EXPECT_DOUBLE_EQ(rig.clock.time, 0.0);

    rig.ui->inputAnswers.push_back({platform::Answer::Ok, "-3"});
    rig.press({vk::kF11});
    rig.frameAt(5.0);
    EXPECT_DOUBLE_EQ(rig.clock.time, -3.0) << "a seek before the start is kept";
}

TEST(Transport, PauseResumesAtTheSameShowTimeWhateverTheBoxTook) {
    TransportRig rig;
    rig.frameAt(50.0);
    rig.press({vk::kF8});
    const double before = rig.clock.startTime;
    rig.tick = before + 50.25;
    rig.clock.updateClock();
    // The box is modal: its time passes while it is open.
    platform::ScriptedUi& ui = *rig.ui;
    rig.clock.now = [&rig, &ui] { return ui.messages.empty() ? rig.tick : rig.tick + 30.0; };
    carryOutTransport(rig.requests, rig.clock, [] {});
    EXPECT_EQ(rig.messages(), std::vector<std::string>{"Pause|Pause"});
    EXPECT_FALSE(rig.requests.pause);
    // The next frame, at the moment the box closed, is still at 50.25.
    EXPECT_DOUBLE_EQ(rig.tick + 30.0 - rig.clock.startTime, 50.25);
}

// A page's boxes answer at once: F8 holds the show until F8 again, asking nothing.
TEST(Transport, WhereBoxesDoNotWaitF8HoldsTheClockUntilF8Again) {
    TransportRig rig;
    rig.ui->boxesWait = false;
    rig.frameAt(50.0);
    rig.press({vk::kF8});
    carryOutTransport(rig.requests, rig.clock, [] {});
    EXPECT_TRUE(rig.clock.paused());
    for (int frame = 0; frame < 3; ++frame) {
        rig.tick += 10.0;
        rig.clock.updateClock();
        EXPECT_DOUBLE_EQ(rig.clock.time, 50.0) << "held, frame " << frame;
    }
    rig.press({vk::kF8});
    carryOutTransport(rig.requests, rig.clock, [] {});
    EXPECT_FALSE(rig.clock.paused());
    EXPECT_TRUE(rig.messages().empty());
    rig.tick += 0.5;
    rig.clock.updateClock();
    EXPECT_DOUBLE_EQ(rig.clock.time, 50.5) << "runs on from where it was held";
}

}  // namespace
