// The generated data set as the show reads it: the files and lists the show names
// (base/data_file.h) are where the show looks, lists parse with the show's formats and name
// files that exist, pictures decode, camera paths are long enough, runs are repeatable.
#include <gtest/gtest.h>

#include <jpeglib.h>

#include <unistd.h>
#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/data_file.h"
#include "lists/camera_row.h"
#include "lists/flash_row.h"
#include "lists/position_row.h"
#include "lists/tag_row.h"
#include "platform/path.h"
#include "vintra-gen/generator.h"
#include "vintra-gen/producers.h"

namespace fs = std::filesystem;

namespace {

const std::vector<gen::Producer> kAllPictureParts = {
    {"scratch", gen::produceScratchFrames}, {"graffiti", gen::produceGraffiti},
    {"nick", gen::produceNickFrames},       {"back", gen::produceBackTags},
    {"front", gen::produceFrontTags},       {"crew", gen::produceCrew},
    {"info", gen::produceInfoTexts},        {"loading", gen::produceLoadingScreens},
    {"noise", gen::produceNoiseTextures},   {"models", gen::produceModelTextures},
    {"flashes", gen::produceFlashes},       {"cameras", gen::produceCameras},
};

fs::path freshDirectory(const std::string& name) {
    fs::path dir =
        fs::temp_directory_path() / ("vintra-gen-test-" + name + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    return dir;
}

std::vector<std::string> lines(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> out;
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

std::string bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Jpeg {
    bool ok = false;
    int width = 0;
    int height = 0;
    int components = 0;
};

struct JpegFailure {
    jpeg_error_mgr base;
    jmp_buf jump;
};

void jumpOut(j_common_ptr info) {
    longjmp(reinterpret_cast<JpegFailure*>(info->err)->jump, 1);
}

Jpeg decode(const fs::path& file) {
    std::string data = bytes(file);
    Jpeg result;
    jpeg_decompress_struct info{};
    JpegFailure failure{};
    info.err = jpeg_std_error(&failure.base);
    failure.base.error_exit = jumpOut;
    if (setjmp(failure.jump) != 0) {
        jpeg_destroy_decompress(&info);
        return Jpeg{};
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()), data.size());
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    std::vector<unsigned char> row(static_cast<size_t>(info.output_width) * info.output_components);
    while (info.output_scanline < info.output_height) {
        unsigned char* rows[] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
    }
    result = {true, static_cast<int>(info.output_width), static_cast<int>(info.output_height),
              info.output_components};
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return result;
}

// Positions of a .pos file, as the camera reads them.
std::vector<PositionRow> positions(const fs::path& file) {
    return PositionRow::parse(bytes(file));
}

class DataSet : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = freshDirectory("full") / "vintra";
        gen::Generator generator(root_.string(), kAllPictureParts);
        ok_ = generator.run();
        error_ = generator.error();
    }
    static void TearDownTestSuite() { fs::remove_all(root_.parent_path()); }

    // A file as the show finds it: its path ("./vintra/…", "./Vintra/…") from the directory
    // holding the set, matched ignoring case.
    static fs::path found(const std::string& path) {
        return platform::resolvePath((root_.parent_path() / path.substr(2)).string());
    }

    // Tag list rows scanned with the reader's 12-column format; the image names they use.
    static std::vector<std::string> tagImages(const char* list, int* rows) {
        std::vector<std::string> images;
        *rows = 0;
        for (const std::string& line : lines(found(list))) {
            if (line.empty() || line[0] == '#') {
                continue;
            }
            std::optional<TagRow> row = TagRow::parse(line);
            EXPECT_TRUE(row) << list << ": " << line;
            if (!row) {
                continue;
            }
            EXPECT_TRUE(row->beats) << "rows are in beats: " << line;
            EXPECT_GE(row->fadeIn + row->hold + row->fadeOut, 0.0) << line;
            if (row->x != TagRow::kRandom && row->y != TagRow::kRandom) {
                // The view widens with depth: 0.6 is well inside it three units away.
                const double reach = std::max(0.6, 0.3 * std::abs(row->z));
                EXPECT_LE(std::abs(row->x), reach) << "x leaves the screen: " << line;
                EXPECT_LE(std::abs(row->y), reach) << "y leaves the screen: " << line;
            }
            ++*rows;
            images.push_back(row->image);
        }
        return images;
    }

    static fs::path root_;
    static bool ok_;
    static std::string error_;
};

fs::path DataSet::root_;
bool DataSet::ok_ = false;
std::string DataSet::error_;

TEST_F(DataSet, RunSucceedsAndMarksTheSetComplete) {
    ASSERT_TRUE(ok_) << error_;
    EXPECT_TRUE(fs::exists(root_ / ".complete"));
    EXPECT_FALSE(fs::exists(root_ / ".vintra-gen-probe"));
}

TEST_F(DataSet, TagListsNameExistingPictures) {
    ASSERT_TRUE(ok_) << error_;
    for (const DataList& list : {data::kBackTagList, data::kFrontTagList, data::kGraffitiList,
                                 data::kCrewList, data::kInfoList}) {
        int rows = 0;
        std::vector<std::string> images = tagImages(list.path, &rows);
        EXPECT_GE(rows, 5) << list.path;
        for (const std::string& image : images) {
            EXPECT_TRUE(fs::is_regular_file(found(list.directory + image)))
                << list.path << ": " << image;
        }
    }
}

TEST_F(DataSet, FlashListHasWhiteAndBlackFlashesInBeats) {
    ASSERT_TRUE(ok_) << error_;
    int white = 0;
    int black = 0;
    for (const std::string& line : lines(found(data::kFlashList.path))) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::optional<FlashRow> row = FlashRow::parse(line);
        ASSERT_TRUE(row) << line;
        EXPECT_TRUE(row->beats);
        (row->kind == FlashRow::kBlack ? black : white)++;
    }
    EXPECT_GT(white, 4);
    EXPECT_GT(black, 2);
}

TEST_F(DataSet, CameraCutsLoadAndCoverTheTowerWindow) {
    ASSERT_TRUE(ok_) << error_;
    std::vector<std::pair<double, double>> spans;
    for (const std::string& line : lines(found(data::kCameraList.path))) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::optional<CameraRow> row = CameraRow::parse(line);
        ASSERT_TRUE(row) << line;
        EXPECT_GE(positions(found(data::kCameraList.directory + row->file)).size(), 5u)
            << row->file;
        EXPECT_LT(row->start, row->end) << line;
        spans.push_back({row->start * 0.48, row->end * 0.48});
    }
    // Every moment of the tower window (94.56 to 122.4 s) and of the opening has a cut.
    for (double t : {-3.0, 0.0, 10.0, 30.0, 95.0, 108.0, 122.0, 150.0, 184.0}) {
        bool covered = false;
        for (auto [start, end] : spans) {
            covered = covered || (start <= t && t <= end);
        }
        EXPECT_TRUE(covered) << "no cut at " << t << " s";
    }
}

TEST_F(DataSet, TowerLightPathIsLongEnoughForTheWholeScene) {
    ASSERT_TRUE(ok_) << error_;
    auto path = positions(found(data::kTowerLightPath.path));
    ASSERT_GE(path.size(), 4u);
    double length = 0.0;
    for (size_t i = 1; i < path.size(); ++i) {
        double dx = path[i].eye.x - path[i - 1].eye.x;
        double dy = path[i].eye.y - path[i - 1].eye.y;
        double dz = path[i].eye.z - path[i - 1].eye.z;
        length += std::sqrt(dx * dx + dy * dy + dz * dz);
    }
    // 0.03 units a frame for the 27.84 s of the tower window at 60 frames a second.
    EXPECT_GT(length, 0.03 * 27.84 * 60.0);
}

TEST_F(DataSet, EveryPictureDecodesWithAWidthTheTextureUploadAccepts) {
    ASSERT_TRUE(ok_) << error_;
    int pictures = 0;
    for (const auto& entry : fs::recursive_directory_iterator(root_)) {
        if (entry.path().extension() != ".jpg") {
            continue;
        }
        ++pictures;
        Jpeg jpeg = decode(entry.path());
        ASSERT_TRUE(jpeg.ok) << entry.path();
        EXPECT_EQ(jpeg.width % 4, 0) << entry.path();
        EXPECT_LE(jpeg.width, 512) << entry.path();
        EXPECT_LE(jpeg.height, 512) << entry.path();
        EXPECT_EQ(jpeg.components, 3) << entry.path();
    }
    EXPECT_GE(pictures, 129);
}

// The pictures and camera paths; the models and the music come from parts not run here.
TEST_F(DataSet, FilesTheShowNamesInCodeExist) {
    ASSERT_TRUE(ok_) << error_;
    int checked = 0;
    for (const DataFile* file : DataFile::all()) {
        if (file->kind != DataFile::Kind::Picture && file->kind != DataFile::Kind::CameraPath) {
            continue;
        }
        for (const std::string& path : file->paths()) {
            EXPECT_TRUE(fs::is_regular_file(found(path))) << path;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0);
}

TEST_F(DataSet, SameBytesOnEveryRunWhateverTheThreads) {
    ASSERT_TRUE(ok_) << error_;
    const std::vector<gen::Producer> subset = {{"crew", gen::produceCrew},
                                               {"info", gen::produceInfoTexts},
                                               {"noise", gen::produceNoiseTextures},
                                               {"cameras", gen::produceCameras},
                                               {"flashes", gen::produceFlashes}};
    fs::path again = freshDirectory("again");
    gen::Generator generator(again.string(), subset);
    generator.setThreads(1);
    ASSERT_TRUE(generator.run()) << generator.error();
    int compared = 0;
    for (const auto& entry : fs::recursive_directory_iterator(again)) {
        if (entry.is_regular_file()) {
            fs::path relative = fs::relative(entry.path(), again);
            EXPECT_EQ(bytes(entry.path()), bytes(root_ / relative)) << relative;
            ++compared;
        }
    }
    EXPECT_GT(compared, 20);
    fs::remove_all(again);
}

void failingPart(gen::OutputDirectory& out) {
    out.fail("the encoder gave up");
}

TEST(Generator, FailureIsReportedAndLeavesNoCompleteMarker) {
    fs::path dir = freshDirectory("fail");
    fs::create_directories(dir);
    std::ofstream(dir / ".complete") << "old";
    gen::Generator generator(dir.string(),
                             {{"flashes", gen::produceFlashes}, {"bad", failingPart}});
    generator.setThreads(1);
    EXPECT_FALSE(generator.run());
    EXPECT_EQ(generator.error(), "the encoder gave up");
    EXPECT_FALSE(fs::exists(dir / ".complete"));
    fs::remove_all(dir);
}

TEST(Generator, UnwritableDirectoryFailsWithItsName) {
    fs::path dir = freshDirectory("blocked");
    fs::create_directories(dir);
    std::ofstream(dir / "file") << "in the way";
    gen::Generator generator((dir / "file" / "vintra").string(),
                             {{"flashes", gen::produceFlashes}});
    EXPECT_FALSE(generator.run());
    EXPECT_NE(generator.error().find((dir / "file" / "vintra").string()), std::string::npos)
        << generator.error();
    fs::remove_all(dir);
}

}  // namespace
