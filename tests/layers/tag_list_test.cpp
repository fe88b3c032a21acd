#include "layers/tag_list.h"

#include <gtest/gtest.h>

#include <string>

#include "base/random.h"
#include "image/test_images.h"
#include "shell/log_window.h"
#include "support/test_ui.h"

using test_images::TempFile;

namespace {

class TagListTest : public ::testing::Test {
protected:
    void SetUp() override { ui = &testing_support::installScriptedUi(); }

    bool read(const std::string& text) {
        list.writeText(text);
        return tags.read(list.path());
    }
    bool logHas(const std::string& line) const {
        return shellLog->text().find(line) != std::string::npos;
    }
    const Tag& tagAt(size_t i) const {
        return *static_cast<const Tag*>(timeline.entries()[i].layer);
    }

    platform::ScriptedUi* ui = nullptr;
    TempFile list{"tags.txt"};
    Timeline timeline;
    TagList tags{&timeline};
};

const char* kRow = "a.jpg\t10\t1\t2\t1\t0\t0\t-2\t0\t1\t0\t0\n";

TEST_F(TagListTest, ReadsARowInSecondsIntoOneTag) {
    ASSERT_TRUE(read(kRow));
    ASSERT_EQ(timeline.entries().size(), 1u);
    EXPECT_EQ(timeline.entries()[0].start, 10.0);
    EXPECT_EQ(timeline.entries()[0].end, 14.0);
    const Tag& tag = tagAt(0);
    EXPECT_EQ(tag.fadeIn, 1.0);
    EXPECT_EQ(tag.hold, 2.0);
    EXPECT_EQ(tag.z, -2.0);
    EXPECT_EQ(tag.zDrift, 0.0);
    EXPECT_EQ(tag.blendSrc, GL_SRC_ALPHA);
    EXPECT_EQ(tag.blendDst, GL_ONE);
    EXPECT_TRUE(
        logHas(std::string("Reading tags and phlicks from: ./vintra/tags/256/bra/") + list.path()));
    EXPECT_TRUE(logHas("Read 1 rows."));
    // The image is the directory and the name joined without a separator.
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_EQ(ui->messages[0].text, "ERROR! Failed to load ./vintra/tags/256/bra/a.jpg !");
}

TEST_F(TagListTest, BeatsAndBothRepeatsOfTheSameTag) {
    tags.repeatTwice = true;
    tags.setDirectory("./vintra/tags/front/");
    list.writeText("a.jpg\t10\t1\t2\t1\t0\t0\t-2\t0\t1\t0.5\t1\n");
    ASSERT_TRUE(tags.read(list.path(), GL_SRC_COLOR, GL_ONE));
    const auto& e = timeline.entries();
    ASSERT_EQ(e.size(), 3u);
    const double starts[] = {4.8, 114.24, 123.84};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(e[i].start, starts[i], 1e-5);
        EXPECT_NEAR(e[i].end - e[i].start, 1.92, 1e-5);
        EXPECT_EQ(e[i].layer, e[0].layer);
    }
    EXPECT_NEAR(tagAt(0).fadeIn, 0.48, 1e-6);
    EXPECT_EQ(tagAt(0).zDrift, 0.5);  // never scaled
    EXPECT_EQ(tagAt(0).blendSrc, GL_SRC_COLOR);
    EXPECT_EQ(ui->messages[0].text, "ERROR! Failed to load ./vintra/tags/front/a.jpg !");
}

TEST_F(TagListTest, LateRepeatComparesTheSinglePrecisionStart) {
    tags.repeatLate = true;
    ASSERT_TRUE(
        read("late.jpg\t20.7\t1\t0\t0\t0\t0\t-2\t0\t1\t0\t0\n"
             "early.jpg\t20.5\t1\t0\t0\t0\t0\t-2\t0\t1\t0\t0\n"
             "edge.jpg\t20.64\t1\t0\t0\t0\t0\t-2\t0\t1\t0\t0\n"
             "beats.jpg\t43\t1\t0\t0\t0\t0\t-2\t0\t1\t0\t1\n"));
    const auto& e = timeline.entries();
    ASSERT_EQ(e.size(), 5u);
    EXPECT_NEAR(e[1].start, 146.46, 1e-5);
    EXPECT_EQ(e[1].layer, e[0].layer);
    EXPECT_EQ(e[2].start, double(20.5f));
    EXPECT_EQ(e[3].start, double(20.64f));
    EXPECT_EQ(e[4].start, double(float(43 * 0.48)));
}

// The markers draw from the list's own sequence: a reload places the rows as a fresh start
// does, whatever the rest of the show drew in between.
TEST_F(TagListTest, MarkersDrawFromTheListsOwnSequenceInColumnOrder) {
    const std::string rows =
        "a.jpg\t0\t1\t0\t0\t666\t666.5\t-2\t666\t666\t666\t0\n"
        "b.jpg\t0\t1\t0\t0\t0\t0\t666\t0\t1\t0\t0\n";
    ASSERT_TRUE(read(rows));
    Random expected(Random::seedFor(list.path()));
    int rx = expected.next(), rRot = expected.next(), rPeak = expected.next();
    int rDrift = expected.next(), rz = expected.next();
    const Tag& a = tagAt(0);
    EXPECT_FLOAT_EQ(a.x, (float(rx % 200) / 100.0f - 1.0f) * 0.5f);
    EXPECT_FLOAT_EQ(a.y, 666.5f);
    EXPECT_FLOAT_EQ(a.rotation, float(rRot % 360));
    EXPECT_FLOAT_EQ(a.peak, float(rPeak % 100) / 100.0f);
    EXPECT_FLOAT_EQ(a.zDrift, float(rDrift % 200) / 100.0f - 1.0f);
    EXPECT_FLOAT_EQ(tagAt(1).z, (float(rz % 200) / 100.0f - 1.0f) * 0.5f - 1.0f);
    EXPECT_GE(a.x, -0.5);
    EXPECT_LE(a.x, 0.495);

    const float x = a.x, rotation = a.rotation, z = tagAt(1).z;
    timeline.clear();
    ASSERT_TRUE(tags.read(list.path()));
    EXPECT_EQ(tagAt(0).x, x);
    EXPECT_EQ(tagAt(0).rotation, rotation);
    EXPECT_EQ(tagAt(1).z, z);
}

TEST_F(TagListTest, SkipsCommentsBlanksShortRowsAndTextInNumbers) {
    ASSERT_TRUE(
        read("# a comment\n"
             "\n"
             "\r\n"
             "eleven.jpg\t10\t1\t2\t1\t0\t0\t-2\t0\t1\t0\n"
             "text.jpg\t10\tone\t2\t1\t0\t0\t-2\t0\t1\t0\t0\n"
             "crlf.jpg\t1\t1\t2\t1\t0\t0\t-2\t0\t1\t0\t0\r\n"
             "extra.jpg\t2\t1\t2\t1\t0\t0\t-2\t0\t1\t0\t0\t99\tx\n"
             "spaces.jpg 3 1 2 1 0 0 -2 0 1 0 0"));
    ASSERT_EQ(timeline.entries().size(), 3u);
    EXPECT_EQ(timeline.entries()[0].start, 1.0);
    EXPECT_EQ(timeline.entries()[1].start, 2.0);
    EXPECT_EQ(timeline.entries()[2].start, 3.0);
    EXPECT_TRUE(logHas("Read 3 rows."));
    EXPECT_EQ(ui->messages[0].text, "ERROR! Failed to load ./vintra/tags/256/bra/crlf.jpg !");
}

TEST_F(TagListTest, LongLinesArriveInPiecesAndLongPathsAreRefused) {
    std::string longComment(1502, 'x');  // built in place: GCC 12 at -O3 warns on "#" + string
    longComment.front() = '#';
    longComment.back() = '\n';
    // The second piece of this line is a row of its own.
    std::string split = std::string(1023, ' ') + "piece.jpg\t5\t1\t0\t0\t0\t0\t-2\t0\t1\t0\t0\n";
    std::string longName = std::string(956, 'n') + ".jpg\t6\t1\t0\t0\t0\t0\t-2\t0\t1\t0\t0\n";
    // A row of exactly 1023 characters still fits one piece.
    std::string full = "full.jpg\t7\t1\t0\t0\t0\t0\t-2\t0\t1\t0\t0";
    full = std::string(1023 - full.size(), ' ') + full + "\n";
    ASSERT_TRUE(read(longComment + split + full + kRow));
    const auto& e = timeline.entries();
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].start, 5.0);
    EXPECT_EQ(e[1].start, 7.0);
    EXPECT_EQ(e[2].start, 10.0);
    EXPECT_TRUE(logHas("Read 3 rows."));

    // The line fits the buffer, but directory + name does not.
    std::string directory(100, 'd');
    tags.setDirectory(directory.c_str());
    ASSERT_TRUE(read(longName + kRow));
    EXPECT_EQ(timeline.entries().size(), 4u);
    EXPECT_TRUE(logHas("Image path too long, row skipped: nnnn"));
}

TEST_F(TagListTest, MissingAndEmptyFiles) {
    EXPECT_FALSE(tags.read("no/such/list.txt"));
    EXPECT_TRUE(logHas("File Not Found : ./vintra/tags/256/bra/no/such/list.txt\n"));
    EXPECT_TRUE(read(""));
    EXPECT_TRUE(logHas("Read 0 rows."));
    EXPECT_TRUE(timeline.entries().empty());
}

TEST_F(TagListTest, ReloadReplacesTheTagsAndKeepsShownOnesAlive) {
    ASSERT_TRUE(read(kRow));
    ASSERT_TRUE(read(kRow));  // appended: both sets stay drawable
    ASSERT_EQ(timeline.entries().size(), 2u);
    EXPECT_NE(timeline.entries()[0].layer, timeline.entries()[1].layer);
    EXPECT_EQ(tagAt(0).fadeIn, 1.0);
    timeline.clear();
    ASSERT_TRUE(read(kRow));
    ASSERT_EQ(timeline.entries().size(), 1u);
    EXPECT_EQ(tagAt(0).hold, 2.0);
}

}  // namespace
