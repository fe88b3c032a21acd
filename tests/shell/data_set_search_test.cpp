#include "shell/data_set_search.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// A scratch tree with one candidate directory per place and a private environment.
class DataSetSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("data-set-search-" +
                 std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "cwd");
        previous_ = fs::current_path();
        fs::current_path(root_ / "cwd");
        for (const char* name : {"TARVEL_DATA", "XDG_DATA_HOME", "XDG_DATA_DIRS", "HOME"}) {
            const char* value = getenv(name);
            saved_.emplace_back(name, value ? value : "");
            hadValue_.push_back(value != nullptr);
            unsetenv(name);
        }
        setenv("XDG_DATA_HOME", (root_ / "home").c_str(), 1);
        setenv("XDG_DATA_DIRS",
               ((root_ / "sys1").string() + ":" + (root_ / "sys2").string()).c_str(), 1);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(root_);
        for (size_t i = 0; i < saved_.size(); ++i) {
            if (hadValue_[i]) {
                setenv(saved_[i].first.c_str(), saved_[i].second.c_str(), 1);
            } else {
                unsetenv(saved_[i].first.c_str());
            }
        }
    }
    // Makes `directory`/vintra and returns `directory`.
    std::string dataSetIn(const fs::path& directory) {
        fs::create_directories(directory / "vintra");
        return directory.string();
    }
    std::string program() const { return (root_ / "prefix/bin/tarvel").string(); }
    std::string find(const std::string& dataOption = "") {
        DataSetSearch search(dataOption, program());
        return search.find() ? search.found() : "(none)";
    }

    fs::path root_;
    fs::path previous_;
    std::vector<std::pair<std::string, std::string>> saved_;
    std::vector<bool> hadValue_;
};

// Each place is made in turn from the last to the first; every new one must win.
TEST_F(DataSetSearchTest, EachPlaceWinsOverTheLaterOnes) {
    EXPECT_EQ(find(), "(none)");
    const std::vector<fs::path> places = {"sys2/tarvel", "sys1/tarvel", "home/tarvel",
                                          "prefix/share/tarvel"};
    for (const fs::path& place : places) {
        dataSetIn(root_ / place);
        EXPECT_EQ(find(), (root_ / place).string());
    }
    // The program in its build tree (CMake's cache beside it): the set the build generated.
    dataSetIn(root_ / "prefix/bin/data");
    EXPECT_EQ(find(), (root_ / "prefix/share/tarvel").string()) << "no build tree yet";
    std::ofstream(root_ / "prefix/bin/CMakeCache.txt") << "# CMake's\n";
    EXPECT_EQ(find(), (root_ / "prefix/bin/data").string());
    dataSetIn(root_ / "cwd");
    EXPECT_EQ(find(), ".") << "an author's working copy wins over the installed one";
    setenv("TARVEL_DATA", dataSetIn(root_ / "env").c_str(), 1);
    EXPECT_EQ(find(), (root_ / "env").string());
    EXPECT_EQ(find(dataSetIn(root_ / "option")), (root_ / "option").string());
}

TEST_F(DataSetSearchTest, NoDataSetNamesEveryPlaceAndHowToMakeOne) {
    DataSetSearch search("", program());
    ASSERT_FALSE(search.find());
    const std::string message = search.notFoundMessage();
    for (const char* place : {"./vintra", "/prefix/share/tarvel/vintra", "/home/tarvel/vintra",
                              "/sys1/tarvel/vintra", "/sys2/tarvel/vintra", "vintra-gen"}) {
        EXPECT_NE(message.find(place), std::string::npos) << place << " in: " << message;
    }
    EXPECT_EQ(message.find('\n'), std::string::npos) << "one line";

    setenv("TARVEL_DATA", (root_ / "missing").c_str(), 1);
    dataSetIn(root_ / "cwd");
    DataSetSearch named("", program());
    EXPECT_FALSE(named.find()) << "a data set the user names is not passed over";
    EXPECT_NE(named.notFoundMessage().find("/missing/vintra"), std::string::npos);
}

}  // namespace
