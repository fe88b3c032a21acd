#include "layers/flash.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "image/test_images.h"
#include "layers/fade_envelope.h"
#include "shell/log_window.h"
#include "support/test_ui.h"

using test_images::TempFile;

namespace {

class FlashTest : public ::testing::Test {
protected:
    bool read(const std::string& text) {
        list.writeText(text);
        return flash.read(list.path());
    }
    bool logHas(const std::string& line) const {
        return shellLog->text().find(line) != std::string::npos;
    }

    // The ui comes first: the flash reports its textures while it is built.
    platform::ScriptedUi* ui = &testing_support::installScriptedUi();
    TempFile list{"flash.txt"};
    Flash flash;
};

TEST_F(FlashTest, MissingTexturesAreReportedAndLeftUnset) {
    if (std::FILE* present = std::fopen("./vintra/flash/white.jpg", "rb")) {
        std::fclose(present);
        GTEST_SKIP() << "a data set is present in the working directory";
    }
    ASSERT_EQ(ui->messages.size(), 2u);
    EXPECT_EQ(ui->messages[0].text, "ERROR! Failed to load ./vintra/flash/white.jpg !");
    EXPECT_EQ(ui->messages[1].text, "ERROR! Failed to load ./vintra/flash/black.jpg !");
    EXPECT_EQ(flash.white, 0u);
    EXPECT_EQ(flash.black, 0u);
}

TEST_F(FlashTest, RowsInSecondsAndBeatsWithKinds) {
    ASSERT_TRUE(
        read("# start fade-in hold fade-out peak kind unit\n"
             "10\t0.25\t0\t0.5\t1\t0\t0\n"
             "10\t0.25\t0\t0.5\t1\t1.7\t0\r\n"
             "10\t0.25\t0\t0.5\t1\t2\t0\n"
             "10\t0.25\t0\t0.5\t1\t0\t1\n"
             "10\t0.25\t0\t0.5\t1\t0\n"
             "10\tx\t0\t0.5\t1\t0\t1\n"));
    EXPECT_TRUE(logHas(std::string("Reading flashes from: ") + list.path()));
    EXPECT_TRUE(logHas("Read 4 rows."));
    const auto& e = flash.entries;
    ASSERT_EQ(e.size(), 4u);
    EXPECT_EQ(e[0].start, 10.0);
    EXPECT_EQ(e[0].end, 10.75);
    EXPECT_EQ(e[0].kind, 0);
    EXPECT_EQ(e[1].kind, Flash::kBlack);
    EXPECT_EQ(e[2].kind, 2);
    EXPECT_NEAR(e[3].start, 4.8, 1e-6);
    EXPECT_NEAR(e[3].fadeIn, 0.12, 1e-6);
    EXPECT_NEAR(e[3].fadeOut, 0.24, 1e-6);
    EXPECT_EQ(e[3].hold, 0.0);

    ASSERT_TRUE(flash.read(list.path()));  // no clear: everything twice
    EXPECT_EQ(flash.entries.size(), 8u);
    flash.clear();
    EXPECT_TRUE(flash.entries.empty());
}

TEST_F(FlashTest, LevelsAndColours) {
    double level = fadeLevel(0.5, 0.25, 0, 0.5) * 1.0;
    EXPECT_DOUBLE_EQ(level, 0.5);
    Flash::Color white = Flash::colorFor(level, 0);
    EXPECT_EQ(white.r, 1.0f);
    EXPECT_EQ(white.a, 0.5f);
    Flash::Color black = Flash::colorFor(fadeLevel(0.25, 0.25, 0, 0.5), Flash::kBlack);
    EXPECT_EQ(black.r, 0.0f);
    EXPECT_EQ(black.a, 0.0f);
}

TEST_F(FlashTest, MissingListAddsNothing) {
    EXPECT_FALSE(flash.read("no/such/flash.txt"));
    EXPECT_TRUE(logHas("File Not Found : no/such/flash.txt\n"));
    EXPECT_TRUE(flash.entries.empty());
}

}  // namespace
