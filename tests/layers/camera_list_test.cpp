#include "layers/camera_list.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/keys.h"
#include "camera/camera.h"
#include "shell/log_window.h"
#include "support/test_ui.h"

namespace fs = std::filesystem;

namespace {

// Runs each test in a fresh directory holding "vintra/cameras/", as the show's data.
class CameraListTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing_support::installScriptedUi();
        previous = fs::current_path();
        dir = fs::temp_directory_path() / ("tarvel_camera_list_" + std::to_string(::getpid()));
        fs::create_directories(dir / "vintra" / "cameras");
        fs::current_path(dir);
        std::string positions;
        for (int i = 0; i < 5; ++i) {
            positions += std::to_string(i) + " 0 0 0 0 0 0 1 0\n";
        }
        write("vintra/cameras/a.pos", positions);
    }
    void TearDown() override {
        fs::current_path(previous);
        fs::remove_all(dir);
    }
    void write(const std::string& name, const std::string& content) {
        std::ofstream(dir / name, std::ios::binary) << content;
    }
    bool logHas(const std::string& text) {
        return shellLog->text().find(text) != std::string::npos;
    }

    fs::path previous, dir;
};

TEST_F(CameraListTest, ReadsRowsInSecondsAndBeatsAndSkipsCutsThatDidNotLoad) {
    write("vintra/cameras/cameras.txt",
          "# file\tstart\tend\tmove\tunit\n"
          "a.pos\t10\t20\t4\t0\n"
          "a.pos\t10\t20\t4\t1\r\n"
          "missing.pos\t1\t2\t3\t0\n"
          "short\t1\t2\n"
          "\n");
    Timeline timeline;
    CameraList list(&timeline);
    ASSERT_TRUE(list.read("./Vintra/Cameras/cameras.txt"));
    EXPECT_TRUE(logHas("Loading cameras from: ./Vintra/Cameras/cameras.txt"));
    EXPECT_TRUE(logHas("Read 3 rows."));
    EXPECT_TRUE(logHas("File Not Found : ./vintra/cameras/missing.pos"));
    ASSERT_EQ(timeline.entries().size(), 2u);
    EXPECT_EQ(timeline.entries()[0].start, 10.0);
    EXPECT_EQ(timeline.entries()[0].end, 20.0);
    EXPECT_EQ(timeline.entries()[1].start, static_cast<double>(static_cast<float>(10 * 0.48)));
    EXPECT_EQ(timeline.entries()[1].end, static_cast<double>(static_cast<float>(20 * 0.48)));
    auto* beats = static_cast<CameraCut*>(timeline.entries()[1].layer);
    EXPECT_EQ(beats->moveTime, static_cast<double>(static_cast<float>(4 * 0.48)));
    EXPECT_EQ(list.cuts.size(), 3u);
}

// The camera of the last entry playing at t, as the show looks through it.
Camera* cameraAt(const Timeline& timeline, double t) {
    Camera* playing = nullptr;
    for (const Timeline::Entry& entry : timeline.entries()) {
        if (entry.start <= t && t <= entry.end) {
            playing = static_cast<CameraCut*>(entry.layer)->getCamera();
        }
    }
    return playing;
}

TEST_F(CameraListTest, ReloadFreesOldCutsButNeverTheCameraInUseOrScheduledOnes) {
    write("vintra/cameras/cameras.txt", "a.pos\t0\t5\t4\t0\na.pos\t5\t9\t4\t0\n");
    Timeline timeline;
    CameraList list(&timeline);
    ASSERT_TRUE(list.read("./vintra/cameras/cameras.txt"));
    Camera* inUse = cameraAt(timeline, 1);
    ASSERT_NE(inUse, nullptr);

    timeline.clear();
    ASSERT_TRUE(list.read("./vintra/cameras/cameras.txt", inUse));
    EXPECT_EQ(list.cuts.size(), 3u);  // the cut of the camera in use is kept alive
    EXPECT_EQ(list.cuts.front()->getCamera(), inUse);
    inUse->getEye();

    ASSERT_TRUE(list.read("./vintra/cameras/cameras.txt", inUse));  // timeline not emptied
    EXPECT_EQ(list.cuts.size(), 5u);
    inUse = cameraAt(timeline, 1);
    timeline.clear();
    ASSERT_TRUE(list.read("./vintra/cameras/cameras.txt", inUse));
    EXPECT_EQ(list.cuts.size(), 3u);
}

TEST_F(CameraListTest, MissingListAndOverlongLines) {
    Timeline timeline;
    CameraList list(&timeline);
    EXPECT_FALSE(list.read("./vintra/cameras/none.txt"));
    EXPECT_TRUE(logHas("File Not Found : ./vintra/cameras/none.txt\n"));
    write("vintra/cameras/long.txt", std::string(5000, 'a') + "\t1\t2\t3\t0\n");
    EXPECT_TRUE(list.read("./vintra/cameras/long.txt"));
    EXPECT_TRUE(timeline.entries().empty());
}

}  // namespace
