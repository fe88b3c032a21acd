#include "camera/camera.h"
#include "camera/camera_keys.h"
#include "camera/transport_requests.h"
#include "shell/input_dialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "base/keys.h"
#include "objects/vector3_print.h"
#include "platform/process.h"
#include "render/world.h"
#include "shell/log_window.h"
#include "show/show_clock.h"
#include "support/test_ui.h"

namespace fs = std::filesystem;

namespace {

std::string positionsText(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) {
        text += std::to_string(i) + " 0 0 " + std::to_string(i) + " 0 5 0 1 0\n";
    }
    return text;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        ui = &testing_support::installScriptedUi();
        dir = fs::temp_directory_path() /
              ("tarvel_camera_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        platform::setExitHandler(nullptr);
        fs::remove_all(dir);
    }
    std::string write(const std::string& name, const std::string& content) {
        std::ofstream(dir / name, std::ios::binary) << content;
        return (dir / name).string();
    }
    void answer(const std::string& text, platform::Answer a = platform::Answer::Ok) {
        ui->inputAnswers.push_back({a, text});
    }
    void press(Camera& cam, int key) {
        uint8_t table[256] = {};
        table[key] = 1;
        CameraKeys(cam, questions, requests, {.logOn = true, .showTime = showTime}).handle(table);
    }

    platform::ScriptedUi* ui = nullptr;
    fs::path dir;
    InputDialog questions;
    TransportRequests requests;
    double showTime = 0;  // of the frame last drawn, when a key is pressed
};

TEST_F(CameraTest, StartsWithTheDesignedViewAndAnnouncesItself) {
    Camera cam;
    EXPECT_EQ(cam.getEye(), Vector3(0, 0, -10));
    EXPECT_EQ(cam.getTarget(), Vector3(0, 0, 0));
    EXPECT_EQ(cam.getUp(), Vector3(0, 1, 0));
    EXPECT_EQ(cam.eyePath.step, 0.005f);
    EXPECT_NE(shellLog->text().find("Camera Object."), std::string::npos);
    cam.setView(1, 2, 3, 4, 5, 6, 0, 3, 4);
    EXPECT_EQ(cam.getUp(), Vector3(0, 0.6, 0.8));
}

TEST_F(CameraTest, MovementOperationsFollowTheirVectorRules) {
    Camera cam;
    cam.moveForward(0.85f);
    EXPECT_EQ(cam.eye, Vector3(0, 0, -9.15f));
    EXPECT_EQ(cam.target, Vector3(0, 0, 0.85f));
    cam.strafe(1);  // looking along +z with up +y, left is +x
    EXPECT_EQ(cam.eye, Vector3(1, 0, -9.15f));
    cam.rise(2);
    EXPECT_EQ(cam.target, Vector3(1, 2, 0.85f));

    Camera turner;
    turner.turn(0.5f);  // right is -x here; the eye-target distance is not kept
    EXPECT_EQ(turner.target, Vector3(-0.5, 0, 0));
    turner.roll(0.01f);
    // up += normalise(normalise(d) × up) × 0.01 with d = (-0.5, 0, 10); not normalised.
    EXPECT_NEAR(turner.up.x, -0.1 / std::sqrt(100.25), 1e-7);
    EXPECT_EQ(turner.up.y, 1.0f);
    EXPECT_NEAR(turner.up.z, -0.005 / std::sqrt(100.25), 1e-7);

    Camera pitcher;
    pitcher.pitch(0.5f);
    EXPECT_EQ(pitcher.target, Vector3(0, -0.5, 0));
    EXPECT_EQ(pitcher.up, Vector3(0, 1, 0));
    Camera upward;
    upward.pitch(-0.5f);
    EXPECT_EQ(upward.target, Vector3(0, 0.5, 0));
    EXPECT_EQ(upward.up, Vector3(0, 1, 0));

    Camera world;
    world.setWorldUpTurning(true);
    world.up = Vector3(0.3, 0.9, 0);
    world.turn(22.5f);  // 4 × 22.5 = 90 degrees (with 3.14): +z turns to about -x
    EXPECT_NEAR(world.target.x, -10, 1e-4);
    EXPECT_NEAR(world.target.z, -10 + 10 * std::cos(90 * 3.14 / 180), 1e-5);
    EXPECT_EQ(world.up, Vector3(0, 1, 0));
}

TEST_F(CameraTest, KeysActOnlyWithTheLogEnabledAndConsumeWhatTheyUse) {
    Camera cam;
    uint8_t table[256];
    std::fill(std::begin(table), std::end(table), 1);
    CameraKeys(cam, questions, requests, {.logOn = false}).handle(table);
    EXPECT_EQ(cam.eye, Vector3(0, 0, -10));
    EXPECT_FALSE(requests.reload || requests.pause);
    EXPECT_EQ(table['W'], 1);
    EXPECT_TRUE(ui->inputPrompts.empty());

    std::fill(std::begin(table), std::end(table), 0);
    table['W'] = table[0x7B] = table[0x77] = table[0x64] = table['C'] = table[0x20] = 1;
    CameraKeys(cam, questions, requests, {.logOn = true}).handle(table);
    EXPECT_EQ(cam.eye, Vector3(0, 0, -9.15f));
    EXPECT_TRUE(requests.reload);
    EXPECT_TRUE(requests.pause);
    EXPECT_EQ(cam.tuneX, 1.0);
    EXPECT_EQ(table['W'] + table[0x7B] + table[0x77] + table[0x64], 0);
    EXPECT_EQ(table['C'], 1);  // the main loop's keys are left alone
    EXPECT_EQ(table[0x20], 1);
}

TEST_F(CameraTest, InputDialogAnswers) {
    int exitStatus = 0;
    platform::setExitHandler([&](int status) { exitStatus = status; });
    Camera cam;
    answer("85");
    press(cam, '1');
    EXPECT_EQ(cam.moveSpeed, 0.85f);
    ASSERT_EQ(ui->inputPrompts.size(), 1u);
    EXPECT_EQ(ui->inputPrompts[0], "");  // key 1 shows whatever prompt is set
    for (auto a : {platform::Answer::Cancel, platform::Answer::Ok}) {
        answer("", a);
        press(cam, '1');
        EXPECT_EQ(cam.input, "X");
    }
    answer("Xylophone");
    press(cam, '1');
    answer("  -250abc");
    press(cam, 0x61);  // keypad 1
    EXPECT_EQ(ui->inputPrompts.back(), "Ny step för Camera x och y (värde/100):");
    EXPECT_EQ(questions.prompt(), "Filename:");
    EXPECT_EQ(cam.tuneStep, -2.5);
    EXPECT_EQ(cam.moveSpeed, 0.85f);
    answer("speed");
    press(cam, '1');
    EXPECT_EQ(cam.moveSpeed, 0.0f);
    EXPECT_EQ(ui->inputPrompts.back(), "Filename:");

    answer("  42 s");
    press(cam, 0x7A);  // F11
    EXPECT_TRUE(requests.seek);
    EXPECT_EQ(requests.seekTarget, 42.0);
    answer("1 2 3 4 5 6 7 8 9");
    press(cam, '9');
    EXPECT_EQ(cam.up, Vector3(7, 8, 9));  // not normalised
    answer("1 2 3");
    press(cam, '9');
    EXPECT_EQ(cam.eye, Vector3(1, 2, 3));

    press(cam, 0x65);  // keypad 5
    EXPECT_NE(shellLog->text().find("x: 0.000000 y: 0.000000"), std::string::npos);

    answer("", platform::Answer::Closed);
    press(cam, '1');
    EXPECT_EQ(exitStatus, -1);
    EXPECT_EQ(cam.moveSpeed, 0.0f);
}

TEST_F(CameraTest, LoadPathAppendsAndReportsEachFailure) {
    Camera cam;
    std::string missing = (dir / "none.pos").string();
    EXPECT_FALSE(cam.loadPath(missing.c_str()));
    EXPECT_NE(shellLog->text().find("File Not Found : " + missing + "\n"), std::string::npos);

    std::string three = write("three.pos", positionsText(3));
    EXPECT_FALSE(cam.loadPath(three.c_str()));
    EXPECT_NE(shellLog->text().find("File not correct! " + three), std::string::npos);
    EXPECT_EQ(cam.eyePath.points.size(), 3u);
    EXPECT_FALSE(cam.pathLoaded);

    std::string four = write("four.pos", positionsText(4));
    EXPECT_TRUE(cam.loadPath(four.c_str()));
    EXPECT_NE(shellLog->text().find("Loading camera pos from file: " + four), std::string::npos);
    EXPECT_EQ(cam.eyePath.points.size(), 7u);
    EXPECT_EQ(cam.targetPath.points[6], Vector3(3, 0, 5));
    EXPECT_TRUE(cam.pathLoaded);
    EXPECT_FALSE(cam.loadPath(write("empty.pos", "").c_str()));
    EXPECT_TRUE(cam.pathLoaded);
}

TEST_F(CameraTest, LoadsAHugeFile) {
    std::string text;
    for (int i = 0; i < 200000; ++i) {
        text += "12.25 -3.50 100.00 0.00 0.00 0.00 0.00 1.00 0.00\r\n";
    }
    Camera cam;
    EXPECT_TRUE(cam.loadPath(write("huge.pos", text).c_str()));
    EXPECT_EQ(cam.upPath.points.size(), 200000u);
}

TEST_F(CameraTest, AdvanceWalksByDistanceAndStopsWithPointFourAhead) {
    Camera cam;
    ASSERT_TRUE(cam.loadPathFromBytes(positionsText(4), "line"));
    int calls = 0;
    while (cam.advance() && calls < 10000) {
        ++calls;
    }
    EXPECT_GT(calls, 10);
    EXPECT_EQ(cam.eyePath.segment, 0u);
    EXPECT_NEAR(cam.eyePath.t, 0.6, 0.006);
    EXPECT_NEAR(cam.eye.x, 1.6, 0.01);  // the view lags one step behind the walk
    EXPECT_FALSE(cam.advance());

    Camera fresh;
    fresh.eye = Vector3(1, 0, 0);
    ASSERT_TRUE(fresh.loadPathFromBytes(positionsText(5), "line"));
    ASSERT_TRUE(fresh.advance());
    EXPECT_NEAR(fresh.eye.x - 1, 0.03, 0.0051);  // at least 0.03, at most one step more
    while (fresh.advance()) {
    }
    EXPECT_EQ(fresh.eyePath.segment, 1u);
    EXPECT_EQ(Camera().advance(), false);
}

TEST_F(CameraTest, ClearedPathsKeepTheViewWhereTheWalkEnded) {
    Camera cam;
    ASSERT_TRUE(cam.loadPathFromBytes(positionsText(6), "line"));
    while (cam.advance()) {
    }
    const Vector3 end = cam.eye;
    cam.clearPaths();
    EXPECT_FALSE(cam.pathLoaded);
    for (int i = 0; i < 5; ++i) {
        EXPECT_FALSE(cam.advance());
    }
    EXPECT_EQ(cam.eye, end);
    EXPECT_TRUE(cam.eyePath.points.empty() && cam.targetPath.points.empty() &&
                cam.upPath.points.empty());
    // A new path starts from its own beginning.
    ASSERT_TRUE(cam.loadPathFromBytes(positionsText(4), "again"));
    ASSERT_TRUE(cam.advance());
    EXPECT_NEAR(cam.eye.x, 1.0, 0.01);
}

TEST_F(CameraTest, RecordingWritesFlushedLinesAndTruncatesOnReopen) {
    Camera cam;
    std::string path = (dir / "rec.pos").string();
    answer(path);
    press(cam, 0x0D);
    ASSERT_TRUE(cam.recording);
    ASSERT_FALSE(ui->messages.empty());
    EXPECT_EQ(ui->messages.back().text, "Writing camera positions to " + path);
    EXPECT_EQ(ui->inputPrompts.back(), "Fil för att spara camera positioner:");

    cam.setView(1.234, -5, 6.789, 0, 0, 0, 0, 1, 0);
    cam.recordPosition();
    cam.recordPosition();
    std::string line = "1.23 -5.00 6.79 0.00 0.00 0.00 0.00 1.00 0.00\n";
    EXPECT_EQ(readFile(path), line + line);  // readable before the file is closed

    press(cam, 0x0D);
    EXPECT_FALSE(cam.recording);
    EXPECT_EQ(cam.recordFile, nullptr);
    EXPECT_NE(shellLog->text().find("closing file"), std::string::npos);
    cam.recordPosition();
    EXPECT_EQ(readFile(path), line + line);

    Camera reader;
    std::string four = readFile(path) + line + line;
    EXPECT_TRUE(reader.loadPath(write("four.pos", four).c_str()));
    EXPECT_EQ(reader.eyePath.points[1], Vector3(1.23, -5, 6.79));

    answer(path);
    press(cam, 0x0D);
    EXPECT_TRUE(cam.recording);
    EXPECT_EQ(readFile(path), "");

    Camera failing;
    answer((dir / "no" / "such" / "dir.pos").string());
    press(failing, 0x0D);
    EXPECT_FALSE(failing.recording);
    EXPECT_NE(shellLog->text().find("File Not Found : "), std::string::npos);
}

TEST_F(CameraTest, FlightPlaybackTakesThreeSecondsOfShowTime) {
    Camera cam;
    ASSERT_TRUE(cam.loadPathFromBytes(positionsText(6), "flight"));
    showTime = 10;
    press(cam, '0');
    EXPECT_TRUE(cam.flying);
    EXPECT_EQ(cam.flightStart, 10.0);
    showTime = 11.5;
    cam.updateFlight(showTime);
    EXPECT_EQ(cam.eye, cam.eyePath.atFraction(0.5f));
    for (double t : {13.0, 20.0}) {
        showTime = t;
        cam.updateFlight(showTime);
        EXPECT_EQ(cam.eye, cam.eyePath.points[3]);
    }
    press(cam, '0');
    EXPECT_FALSE(cam.flying);

    Camera pathless;
    press(pathless, '0');  // asks once; no answer calls the flight off
    EXPECT_FALSE(pathless.flying);
    EXPECT_EQ(ui->inputPrompts.size(), 1u);
    pathless.updateFlight(showTime);
    EXPECT_EQ(ui->inputPrompts.size(), 1u);
}

TEST_F(CameraTest, FlyingWithoutAPathAsksForOneAndPlacingNeverAsks) {
    Camera cam;
    EXPECT_FALSE(cam.placeAtFraction(0.5f));
    EXPECT_TRUE(ui->messages.empty() && ui->inputPrompts.empty());
    std::string path = write("fly.pos", positionsText(5));
    answer(path);
    press(cam, '0');
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, "No loaded file!");
    EXPECT_EQ(ui->messages[0].caption, "No loaded file!");
    EXPECT_EQ(ui->inputPrompts.back(), "Fil för cameraflygning:");
    EXPECT_TRUE(cam.flying);
    EXPECT_EQ(cam.eye, Vector3(0, 0, -10));
    EXPECT_TRUE(cam.placeAtFraction(1.0f));
    EXPECT_EQ(cam.eye, Vector3(2, 0, 0));
}

TEST_F(CameraTest, ShakeJittersIntoThePositiveOctantThenRestores) {
    Camera cam;
    cam.startShake(3);
    cam.shakeStep();
    cam.shakeStep();
    Vector3 moved = cam.eye - Vector3(0, 0, -10);
    EXPECT_GE(moved.x, 0);
    EXPECT_GE(moved.z, 0);
    EXPECT_LE(moved.x + moved.y + moved.z, 0.6f);
    cam.shakeStep();
    EXPECT_EQ(cam.eye, Vector3(0, 0, -10));
    EXPECT_EQ(cam.up, Vector3(0, 1, 0));
    cam.shakeStep();
    EXPECT_EQ(cam.shakeCount, -1);
    EXPECT_EQ(cam.eye, Vector3(0, 0, -10));
}

}  // namespace
