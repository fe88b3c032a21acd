// docs/data-set.md against the code that reads the data set: every file the show reads (the
// list sources, the tag lists' picture directories and the files of DataFile::all()) is
// named there, and each list format's column table lists the row type's columns in order.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "base/beat_position.h"
#include "base/data_file.h"
#include "layers/camera_list.h"
#include "lists/camera_row.h"
#include "lists/flash_row.h"
#include "lists/tag_row.h"
#include "show/schedule.h"
#include "show/show.h"

namespace {

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The document in lower case: the show finds its files ignoring case.
std::string document() {
    std::ifstream file(TARVEL_SOURCE_DIR "/docs/data-set.md");
    std::stringstream text;
    text << file.rdbuf();
    return lowered(text.str());
}

// "./vintra/x" as the document writes it: "vintra/x".
std::string named(const std::string& path) {
    return lowered(path.starts_with("./") ? path.substr(2) : path);
}

// From the heading that starts with `heading` to the next heading of its level.
std::string section(const std::string& doc, const std::string& heading) {
    const size_t start = doc.find("\n### " + lowered(heading));
    if (start == std::string::npos) {
        return {};
    }
    const size_t end = doc.find("\n### ", start + 1);
    return doc.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

template <class Row>
void expectColumnTable(const std::string& doc, const std::string& heading) {
    const std::string table = section(doc, heading);
    ASSERT_FALSE(table.empty()) << "no section \"### " << heading << "\"";
    size_t at = 0;
    for (size_t i = 0; i < Row::kColumns.size(); ++i) {
        const std::string row =
            "| " + std::to_string(i + 1) + " | " + lowered(Row::kColumns[i].name) + " |";
        const size_t found = table.find(row, at);
        EXPECT_NE(found, std::string::npos) << heading << ": no table row \"" << row << "\"";
        at = found == std::string::npos ? at : found;
    }
}

TEST(DataSetDocument, NamesEveryFileTheShowReads) {
    const std::string doc = document();
    ASSERT_FALSE(doc.empty()) << "docs/data-set.md is missing";
    for (const Show::ListSource& list : Show::kListSources) {
        EXPECT_NE(doc.find(named(list.files.path)), std::string::npos) << list.files.path;
        if (list.kind == Show::ListSource::Kind::Tags) {
            EXPECT_NE(doc.find(named(list.files.directory)), std::string::npos)
                << list.files.directory;
        }
    }
    EXPECT_NE(doc.find(named(CameraList::kPositionDirectory)), std::string::npos);
    for (const DataFile* file : DataFile::all()) {
        // A series by its first file's path and its last file's name.
        EXPECT_NE(doc.find(named(file->member(1))), std::string::npos) << file->member(1);
        const std::string last = file->member(file->count);
        const std::string lastName = last.substr(last.rfind('/') + 1);
        EXPECT_NE(doc.find(lowered(lastName)), std::string::npos) << last;
    }
}

TEST(DataSetDocument, ListsEachFormatsColumnsInOrder) {
    const std::string doc = document();
    expectColumnTable<TagRow>(doc, "Tag lists");
    expectColumnTable<FlashRow>(doc, "The flash list");
    expectColumnTable<CameraRow>(doc, "The camera list");
}

// The sections' table gives each start's beat and bar as the overlay and the schedule count
// them, and names every section of the schedule's chart at its start.
TEST(DataSetDocument, CountsBarsAsTheShowDoes) {
    const std::string doc = document();
    const size_t from = doc.find("\n## beats and bars");
    ASSERT_NE(from, std::string::npos) << "no section \"## Beats and bars\"";
    std::istringstream table(doc.substr(from, doc.find("\n## ", from + 1) - from));
    std::map<std::string, double> starts;
    for (std::string line; std::getline(table, line);) {
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, '|');) {
            const size_t first = cell.find_first_not_of(' ');
            cells.push_back(first == std::string::npos
                                ? ""
                                : cell.substr(first, cell.find_last_not_of(' ') - first + 1));
        }
        if (cells.size() != 5 || cells[2].empty() || !std::isdigit(cells[2][0])) {
            continue;
        }
        const double at = std::stod(cells[2]);
        const BeatPosition position = BeatPosition::at(at);
        EXPECT_EQ(cells[3], std::to_string(position.beat)) << line;
        EXPECT_EQ(cells[4], position.barText()) << line;
        starts[cells[1]] = at;
    }
    for (const Schedule::Section& section : Schedule::sections()) {
        if (section.start >= 0) {
            ASSERT_TRUE(starts.count(lowered(section.name))) << "no row for " << section.name;
            EXPECT_NEAR(starts[lowered(section.name)], section.start, 1e-9) << section.name;
        }
    }
}

}  // namespace
