// Every list format round trip: rows the generator writes parse back equal through the
// row types the show's readers use, and the malformed rows that matter are refused.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "lists/camera_row.h"
#include "lists/flash_row.h"
#include "lists/list_column.h"
#include "lists/position_row.h"
#include "lists/tag_row.h"
#include "vintra-gen/lists/list_writer.h"

namespace {

// The rows of a written list, parsed back line by line as the readers take them.
template <class Row>
std::vector<Row> parseBack(const gen::ListWriter<Row>& list) {
    std::vector<Row> rows;
    std::istringstream text(list.text());
    for (std::string line; std::getline(text, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::optional<Row> row = Row::parse(line);
        EXPECT_TRUE(row) << "written but not read back: " << line;
        if (row) {
            rows.push_back(*row);
        }
    }
    return rows;
}

// Numbers a row's single precision and "%g" both keep exactly.
TEST(ListRows, WrittenRowsParseBackEqual) {
    const std::vector<TagRow> tags = {
        {.image = "a.jpg",
         .start = -8,
         .fadeIn = 0.5,
         .hold = 2,
         .fadeOut = 1,
         .x = TagRow::kRandom,
         .y = -0.25,
         .z = -2.625,
         .rotation = 12,
         .peak = 0.75,
         .drift = -0.125},
        {.image = "piece10.jpg",
         .start = 1234.5,
         .fadeIn = 0,
         .hold = 0.03125,
         .fadeOut = 3,
         .x = 0.5,
         .y = 0,
         .z = -3,
         .rotation = -45,
         .peak = 1,
         .drift = 0,
         .beats = false},
    };
    const std::vector<FlashRow> flashes = {
        {.start = 10,
         .fadeIn = 0.25,
         .hold = 0,
         .fadeOut = 0.5,
         .peak = 1,
         .kind = FlashRow::kBlack,
         .beats = false},
        {.start = 356, .fadeIn = 1, .hold = 0.5, .fadeOut = 0.5, .peak = 0.375, .kind = 2},
    };
    const std::vector<CameraRow> cuts = {
        {.file = "turn_a.pos", .start = -8, .end = 16, .moveTime = 24},
        {.file = "b.pos", .start = 0.5, .end = 120.25, .moveTime = 0, .beats = false},
    };
    gen::ListWriter<TagRow> tagList;
    gen::ListWriter<FlashRow> flashList;
    gen::ListWriter<CameraRow> cutList;
    tagList.comment("image start fade-in hold fade-out x y z rotation peak drift beats");
    tagList.blank();
    for (const TagRow& row : tags) {
        tagList.add(row);
    }
    for (const FlashRow& row : flashes) {
        flashList.add(row);
    }
    for (const CameraRow& row : cuts) {
        cutList.add(row);
    }
    EXPECT_EQ(tagList.rows(), 2);
    EXPECT_EQ(parseBack(tagList), tags);
    EXPECT_EQ(parseBack(flashList), flashes);
    EXPECT_EQ(parseBack(cutList), cuts);
    // What the show's data set and its authors rely on, column by column.
    EXPECT_EQ(tags[0].write(), "a.jpg\t-8\t0.5\t2\t1\t666\t-0.25\t-2.625\t12\t0.75\t-0.125\t1");
    EXPECT_EQ(flashes[0].write(), "10\t0.25\t0\t0.5\t1\t1\t0");
    EXPECT_EQ(cuts[0].write(), "turn_a.pos\t-8\t16\t24\t1");

    const PositionRow position{{7.25, -17.5, 19}, {4.75, -10.5, 10.25}, {0, 0, 1}};
    EXPECT_EQ(position.write(), "7.25 -17.50 19.00 4.75 -10.50 10.25 0.00 0.00 1.00");
    EXPECT_EQ(PositionRow::parse(position.write() + "\n" + position.write()),
              (std::vector<PositionRow>{position, position}));
}

TEST(ListRows, WritingRoundsAsTheFormatDoes) {
    // Six significant digits, then single precision when read.
    TagRow tag{.image = "a.jpg", .start = 1.0 / 3, .x = 123456.78};
    EXPECT_EQ(tag.write(), "a.jpg\t0.333333\t0\t0\t0\t123457\t0\t-2.5\t0\t1\t0\t1");
    std::optional<TagRow> back = TagRow::parse(tag.write());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->start, double(0.333333f));
    PositionRow position{{7.724, -17.646, 0.004}, {}, {}};
    EXPECT_EQ(position.write(), "7.72 -17.65 0.00 0.00 0.00 0.00 0.00 0.00 0.00");
}

// The readers' tests cover short rows, text in a number, blanks and extra columns; these
// are the number forms only the row types see.
TEST(ListRows, NumberFormsAsTheListsWereAlwaysRead) {
    // A decimal comma, or a number beyond single precision, is not a number.
    EXPECT_FALSE(FlashRow::parse("10\t0,25\t0\t0.5\t1\t0\t0"));
    EXPECT_FALSE(FlashRow::parse("1e60\t0.25\t0\t0.5\t1\t0\t0"));
    EXPECT_FALSE(CameraRow::parse("a.pos\tx\t20\t4\t0"));
    // A leading '+', a bare point, an exponent; a unit at or below 0 is seconds; a kind
    // beyond int range is white.
    std::optional<FlashRow> flash = FlashRow::parse("+10\t.5\t0\t1e-1\t1\t3e9\t-1\n");
    ASSERT_TRUE(flash);
    EXPECT_EQ(flash->start, 10.0);
    EXPECT_EQ(flash->fadeIn, 0.5);
    EXPECT_EQ(flash->fadeOut, double(0.1f));
    EXPECT_EQ(flash->kind, FlashRow::kWhite);
    EXPECT_FALSE(flash->beats);
    // No blank is needed after a number.
    std::optional<CameraRow> cut = CameraRow::parse("a.pos\t1.5-2\t4\t0.5");
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->start, 1.5);
    EXPECT_EQ(cut->end, -2.0);
    EXPECT_TRUE(cut->beats);
}

// Every line the row type refuses, the columns explain, and no line it takes: the row cut
// short after each column, each column made text, a column added.
template <class Row>
void expectFaultsAgreeWithParse(const std::string& good) {
    std::vector<std::string> columns;
    std::istringstream words(good);
    for (std::string word; words >> word;) {
        columns.push_back(word);
    }
    ASSERT_EQ(columns.size(), Row::kColumns.size()) << good;
    std::vector<std::string> lines = {good, good + "\textra"};
    for (size_t n = 0; n < columns.size(); ++n) {
        std::string shortened;
        std::string textual;
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i < n) {
                shortened += columns[i] + "\t";
            }
            textual += (i == n ? std::string("O.5") : columns[i]) + "\t";
        }
        lines.push_back(shortened);
        lines.push_back(textual);
    }
    for (const std::string& line : lines) {
        const std::string fault = ListColumn::faultIn(Row::kColumns, line);
        EXPECT_EQ(Row::parse(line).has_value(), fault.empty()) << line << ": " << fault;
    }
}

TEST(ListRows, ARefusedRowIsToldWhy) {
    expectFaultsAgreeWithParse<TagRow>("a.jpg\t4\t1\t5\t2\t-0.35\t-0.3\t-2.8\t-8\t0.8\t-0.15\t1");
    expectFaultsAgreeWithParse<FlashRow>("56\t0\t0.25\t3\t1\t0\t1");
    expectFaultsAgreeWithParse<CameraRow>("turn_a.pos\t-8\t16\t24\t1");
    EXPECT_EQ(ListColumn::faultIn(TagRow::kColumns, "zorbel.jpg\t12\t1\t5\t2\t-0.35\n"),
              "6 of 12 columns, no y");
    EXPECT_EQ(ListColumn::faultIn(FlashRow::kColumns, "11\t0.25\tO.5\t0.5\t1\t0\t0"),
              "hold is not a number: O.5");
    EXPECT_EQ(ListColumn::faultIn(CameraRow::kColumns, "a.pos 1 2 3 1e60"),
              "unit is not a number: 1e60");
    // A decimal comma: the column it is in, not the one after, whose text it seems to start.
    EXPECT_EQ(ListColumn::faultIn(TagRow::kColumns, "a.jpg\t4\t0,5\t5\t2\t0\t0\t-2\t0\t1\t0\t1"),
              "fade-in is not a number: 0,5; the lists take a decimal point, not a comma: 0.5");
    EXPECT_EQ(ListColumn::faultIn(FlashRow::kColumns, "11\t0.25\t1s\t0.5\t1\t0\t0"),
              "hold is not a number: 1s");
}

}  // namespace
