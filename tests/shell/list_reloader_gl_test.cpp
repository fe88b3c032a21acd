#include "shell/list_reloader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "base/keys.h"
#include "camera/camera.h"
#include "layers/flash.h"
#include "layers/list_lines.h"
#include "layers/loading_screen.h"
#include "shell/data_set_report.h"
#include "support/test_show.h"
#include "support/test_ui.h"

namespace {

namespace fs = std::filesystem;

const char* const kBackTags = "vintra/tags/256/tagback.txt";

std::string tagRows(int count) {
    std::string rows = "# name start in hold out x y z rot peak drift unit\n";
    for (int i = 0; i < count; ++i) {
        rows += "a.jpg\t" + std::to_string(i) + "\t1\t1\t1\t0\t0\t-2\t0\t1\t0\t0\n";
    }
    return rows;
}

// A show built in a directory of list files and no pictures, with the reloader watching it.
class ListReloaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        previousDirectory = fs::current_path();
        directory = fs::temp_directory_path() / ("tarvel-reload-" + std::to_string(::getpid()));
        for (const char* sub : {"vintra/tags/256", "vintra/flash", "vintra/cameras"}) {
            fs::create_directories(directory / sub);
        }
        fs::current_path(directory);
        write(kBackTags, tagRows(2));
        testing_support::installScriptedUi(false);
        show = testing_support::buildShow(&tick);
        reloader = std::make_unique<ListReloader>(*show);
    }

    void TearDown() override {
        ListLines::reportSkipped = nullptr;
        reloader.reset();
        show.reset();
        fs::current_path(previousDirectory);
        fs::remove_all(directory);
    }

    static void write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
    }

    // Every read for `milliseconds`, as the main loop polls once per frame.
    std::vector<std::string> pollFor(int milliseconds) {
        std::vector<std::string> read;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        while (std::chrono::steady_clock::now() < end) {
            for (auto& path : reloader->poll()) {
                read.push_back(path);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return read;
    }

    fs::path previousDirectory;
    fs::path directory;
    std::unique_ptr<Show> show;
    std::unique_ptr<ListReloader> reloader;
    double tick = 0;
};

TEST_F(ListReloaderTest, EachSavePatternReadsTheListOnceWhenCompleteAndShowTimeRunsOn) {
    ASSERT_EQ(show->timeline(Show::Line::BackTags).entries().size(), 2u);
    tick = 60.0;
    show->drawShow();

    // Write a temporary file, then rename it over the list.
    write("vintra/tags/256/.tagback.txt.swp", tagRows(3));
    EXPECT_TRUE(pollFor(30).empty()) << "the temporary file is no list";
    fs::rename("vintra/tags/256/.tagback.txt.swp", kBackTags);
    EXPECT_EQ(pollFor(150), std::vector<std::string>{"./vintra/tags/256/tagback.txt"});
    EXPECT_EQ(show->timeline(Show::Line::BackTags).entries().size(), 3u);

    // Truncate and write in two parts: nothing is read while the file is still open.
    {
        std::ofstream file(kBackTags, std::ios::binary | std::ios::trunc);
        file << "# rewritten\n" << std::flush;
        EXPECT_TRUE(pollFor(30).empty()) << "read before the file was complete";
        file << tagRows(5).substr(tagRows(0).size());
    }
    EXPECT_EQ(pollFor(150).size(), 1u);
    EXPECT_EQ(show->timeline(Show::Line::BackTags).entries().size(), 5u);

    tick = 60.5;
    show->drawShow();
    EXPECT_DOUBLE_EQ(show->clock().time, 60.5) << "a reload leaves show time alone";
    EXPECT_EQ(show->timeline(Show::Line::Graffiti).entries().size(), 0u);
}

TEST_F(ListReloaderTest, SkippedRowsAreReportedByFileAndLineAndTheRestIsRead) {
    DataSetReport::install("show");
    testing::internal::CaptureStderr();
    write("vintra/flash/flash.txt",
          "# start in hold out peak kind unit\n"
          "10\t0.25\t0\t0.5\t1\t0\t0\n"
          "\n"
          "11\t0.25\tO.5\t0.5\t1\t0\t0\n"
          "12\t0.25\t0\t0.5\t1\t0\t0\n");
    const auto read = pollFor(150);
    const std::string terminal = testing::internal::GetCapturedStderr();
    ASSERT_EQ(read, std::vector<std::string>{"./vintra/flash/flash.txt"});
    EXPECT_EQ(show->flashes().entries.size(), 2u);
    // Named as the user would write it, under the data set's directory as it was given.
    EXPECT_NE(terminal.find("show/vintra/flash/flash.txt:4: row skipped (hold is not a number: "
                            "O.5): 11\t0.25\tO.5"),
              std::string::npos)
        << terminal;
    EXPECT_EQ(terminal.find("./vintra/flash/flash.txt:4"), std::string::npos) << terminal;
    EXPECT_EQ(terminal.find(":3:"), std::string::npos) << "a blank line is no typo: " << terminal;
}

TEST_F(ListReloaderTest, ASavedPositionFileReadsTheCameraListAgain) {
    write("vintra/cameras/cameras.txt", "a.pos\t0\t10\t2\t0\n");
    ASSERT_EQ(pollFor(150), std::vector<std::string>{"./vintra/cameras/cameras.txt"});
    EXPECT_TRUE(show->timeline(Show::Line::Camera).entries().empty()) << "a.pos is missing yet";
    std::string flight;  // a path needs four positions
    for (int z : {20, 15, 10, 5}) {
        flight += "0 0 " + std::to_string(z) + " 0 0 0 0 1 0\n";
    }
    write("vintra/cameras/a.pos", flight);
    EXPECT_EQ(pollFor(150), std::vector<std::string>{"./vintra/cameras/cameras.txt"});
    EXPECT_EQ(show->timeline(Show::Line::Camera).entries().size(), 1u);
}

}  // namespace
