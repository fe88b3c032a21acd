#include "platform/video/video_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using platform::PixelRect;
using platform::video::FileSettings;
using platform::video::VideoFile;

namespace {

// A private directory, removed with everything in it.
struct ScratchDirectory {
    fs::path path;
    ScratchDirectory()
        : path(fs::temp_directory_path() / ("tarvel-video-" + std::to_string(getpid()))) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~ScratchDirectory() { fs::remove_all(path); }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(path))
            names.push_back(entry.path().filename().string());
        return names;
    }
};

const FileSettings kSmall{64, 48, 25, 44100, {}};

void writeSecond(VideoFile& file) {
    std::vector<uint8_t> picture(64 * 48 * 4);
    std::vector<int16_t> sound(2 * 1764);
    for (int frame = 0; frame < 25; ++frame) {
        std::fill(picture.begin(), picture.end(), static_cast<uint8_t>(frame * 10));
        ASSERT_TRUE(file.writePicture(picture.data())) << file.error();
        for (size_t i = 0; i < sound.size(); ++i)
            sound[i] = static_cast<int16_t>((i * 37 + frame) % 2000 - 1000);
        ASSERT_TRUE(file.writeSound(sound.data(), 1764)) << file.error();
    }
}

TEST(VideoFile, WritesUnderATemporaryNameAndTakesTheFinalNameWhenFinished) {
    struct Case {
        const char* name;
        const char* description;
    };
    for (const Case& c :
         {Case{"clip.mp4", "H.264 + AAC in MP4"}, Case{"clip.MKV", "H.264 + AAC in Matroska"},
          Case{"clip.webm", "VP9 + Opus in WebM"}}) {
        ScratchDirectory dir;
        const fs::path path = dir.path / c.name;
        VideoFile file;
        ASSERT_TRUE(file.open(path.string(), kSmall)) << c.name << ": " << file.error();
        EXPECT_EQ(file.description(), c.description);
        writeSecond(file);
        ASSERT_EQ(dir.entries().size(), 1u);
        EXPECT_FALSE(fs::exists(path)) << "nothing under the final name while writing";
        ASSERT_TRUE(file.finish()) << file.error();
        EXPECT_EQ(dir.entries(), std::vector<std::string>{c.name}) << "the temporary is gone";
        EXPECT_GT(fs::file_size(path), 1000u);
        EXPECT_GT(file.times().encoding, 0.0);
    }
}

TEST(VideoFile, RefusesWhatItCannotWriteWithTheReasonAndLeavesNothing) {
    ScratchDirectory dir;
    fs::create_directory(dir.path / "taken.mp4");
    struct Case {
        fs::path path;
        const char* reason;
    };
    const Case cases[] = {
        {dir.path / "clip.xyz", "unknown extension \".xyz\" (use .mp4, .mkv or .webm)"},
        {dir.path / "clip", "no extension to choose the format by (use .mp4, .mkv or .webm)"},
        {dir.path / "no.such.dir" / "clip.mp4", "No such file or directory"},
        {dir.path / "taken.mp4", "Is a directory"},
    };
    for (const Case& c : cases) {
        VideoFile file;
        EXPECT_FALSE(file.open(c.path.string(), kSmall)) << c.path;
        EXPECT_EQ(file.error(), c.reason) << c.path;
        EXPECT_FALSE(file.writePicture(nullptr));
        EXPECT_FALSE(file.finish());
    }
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"taken.mp4"});
}

TEST(VideoFile, AnUnfinishedRecordingIsRemoved) {
    ScratchDirectory dir;
    {
        VideoFile dropped;
        ASSERT_TRUE(dropped.open((dir.path / "a.mp4").string(), kSmall));
        writeSecond(dropped);
        dropped.discard();
        EXPECT_TRUE(dir.entries().empty());

        VideoFile abandoned;
        ASSERT_TRUE(abandoned.open((dir.path / "b.mkv").string(), kSmall));
        writeSecond(abandoned);
    }
    EXPECT_TRUE(dir.entries().empty()) << "the destructor removes it too";
}

}  // namespace

// The rows handed over cover the part that changes, widened to even edges for the colour
// planes; nothing sensible to narrow to gives the whole picture.
TEST(VideoFile, TheHandedAreaCoversTheChangingPartOnEvenEdges) {
    auto area = [](int width, int height, PixelRect changing) {
        FileSettings settings{width, height, 30, 44100, changing};
        const PixelRect a = VideoFile().handedArea(settings);
        return std::vector<int>{a.left, a.bottom, a.width, a.height};
    };
    EXPECT_EQ(area(3840, 2160, {480, 0, 2880, 2160}), (std::vector<int>{480, 0, 2880, 2160}));
    EXPECT_EQ(area(1000, 600, {101, 3, 799, 595}), (std::vector<int>{100, 2, 800, 596}));
    EXPECT_EQ(area(800, 600, {}), (std::vector<int>{0, 0, 800, 600}));
    EXPECT_EQ(area(801, 600, {101, 0, 600, 600}), (std::vector<int>{0, 0, 801, 600}));
    EXPECT_EQ(area(800, 600, {900, 0, 10, 10}), (std::vector<int>{0, 0, 800, 600}));
}
