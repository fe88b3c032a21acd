#include "show/data_set_check.h"

#include <cstdio>
#include <cstring>
#include <optional>

#include "base/beat.h"
#include "layers/camera_list.h"
#include "layers/list_lines.h"
#include "layers/tag_placement.h"
#include "lists/camera_row.h"
#include "lists/flash_row.h"
#include "lists/list_column.h"
#include "lists/tag_row.h"
#include "platform/path.h"
#include "show/show_clock.h"

namespace {

constexpr double kShowStart = -ShowClock::kLeadIn;
constexpr double kShowEnd = ShowClock::kEndTime;

std::string seconds(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", value);
    return text;
}

bool blank(const char* line) {
    return line[std::strspn(line, " \t\r\n")] == '\0';
}

template <class Row>
std::optional<Row> parseOrSay(const char* line, const std::string& file, int number,
                              std::vector<std::string>& problems) {
    std::optional<Row> row = Row::parse(line);
    if (!row && !blank(line)) {
        problems.push_back(
            ListLines::skipLine(file, number, line, ListColumn::faultIn(Row::kColumns, line)));
    }
    return row;
}

}  // namespace

DataSetCheck::DataSetCheck(std::string root) : root_(std::move(root)) {}

std::string DataSetCheck::shown(const std::string& path) const {
    return platform::pathUnder(root_, path);
}

bool DataSetCheck::run() {
    for (const Show::ListSource& list : Show::kListSources) {
        checkList(list);
    }
    for (const DataFile* file : DataFile::all()) {
        for (const std::string& path : file->paths()) {
            checkFile(path, file->kind);
        }
    }
    return problems_.empty();
}

void DataSetCheck::checkList(const Show::ListSource& list) {
    ++lists_;
    std::string text;
    if (const std::string fault = DataFileCheck::readWhole(list.files.path, text); !fault.empty()) {
        problem(shown(list.files.path) + ": " + fault);
        return;
    }
    const std::string listFile = shown(list.files.path);
    ListLines lines(text, list.files.path);
    while (const char* line = lines.next()) {
        checkRow(list, line, listFile, lines.lineNumber());
    }
}

void DataSetCheck::checkRow(const Show::ListSource& list, const char* line, const std::string& file,
                            int number) {
    const std::string at = file + ":" + std::to_string(number);
    switch (list.kind) {
        case Show::ListSource::Kind::Tags:
            if (auto row = parseOrSay<TagRow>(line, file, number, problems_)) {
                ++rows_;
                checkTagRow(*row, list.files.directory, at);
            }
            break;
        case Show::ListSource::Kind::Flashes:
            if (auto row = parseOrSay<FlashRow>(line, file, number, problems_)) {
                ++rows_;
                checkFlashRow(*row, at);
            }
            break;
        case Show::ListSource::Kind::Cameras:
            if (auto row = parseOrSay<CameraRow>(line, file, number, problems_)) {
                ++rows_;
                checkCameraRow(*row, at);
            }
            break;
    }
}

void DataSetCheck::checkTagRow(const TagRow& row, const char* directory, const std::string& at) {
    // As the reader places it: beats turned into seconds in single precision. The random
    // picks do not matter here.
    Random random;
    const std::optional<TagPlacement> placement = TagPlacement::resolve(row, directory, random);
    if (!placement) {
        problem(at + ": row skipped (the picture's path passes 1023 characters)");
        return;
    }
    checkInterval(placement->start,
                  placement->start + placement->fadeIn + placement->hold + placement->fadeOut, at);
    checkNamedFile(placement->imagePath, DataFile::Kind::Picture, "picture", at);
}

void DataSetCheck::checkFlashRow(const FlashRow& row, const std::string& at) {
    const float scale = row.beats ? static_cast<float>(kBeatSeconds) : 1.0f;
    const auto scaled = [scale](double v) { return static_cast<double>(float(v) * scale); };
    const double start = scaled(row.start);
    checkInterval(start, start + scaled(row.fadeIn) + scaled(row.hold) + scaled(row.fadeOut), at);
}

void DataSetCheck::checkCameraRow(const CameraRow& row, const std::string& at) {
    const double scale = row.beats ? kBeatSeconds : 1.0;
    checkInterval(static_cast<float>(row.start * scale), static_cast<float>(row.end * scale), at);
    checkNamedFile(std::string(CameraList::kPositionDirectory) + row.file,
                   DataFile::Kind::CameraPath, "camera path", at);
}

void DataSetCheck::checkInterval(double start, double end, const std::string& at) {
    if (end < start) {
        problem(at + ": ends at " + seconds(end) + ", before it starts at " + seconds(start));
    } else if (end < kShowStart || start > kShowEnd) {
        problem(at + ": plays from " + seconds(start) + " to " + seconds(end) +
                ", outside the show (" + seconds(kShowStart) + " to " + seconds(kShowEnd) + ")");
    }
}

void DataSetCheck::checkNamedFile(const std::string& path, DataFile::Kind kind, const char* what,
                                  const std::string& at) {
    const bool known = faults_.contains(platform::resolvePath(path));
    const std::string& fault = faultOf(path, kind);
    if (fault == DataFileCheck::kMissing) {
        problem(at + ": " + what + " " + shown(path) + " missing");
    } else if (!fault.empty() && !known) {
        problem(shown(path) + ": " + fault);
    }
}

void DataSetCheck::checkFile(const std::string& path, DataFile::Kind kind) {
    if (kind == DataFile::Kind::Music) {
        checkMusic(path);
        return;
    }
    const bool known = faults_.contains(platform::resolvePath(path));
    const std::string& fault = faultOf(path, kind);
    // A file some row named missing was said with that row; a fault is said once.
    if (!fault.empty() && (!known || fault == DataFileCheck::kMissing)) {
        problem(shown(path) + ": " + fault);
    }
}

void DataSetCheck::checkMusic(const std::string& path) {
    ++counts_[DataFile::Kind::Music];
    const std::vector<std::string> faults = files_.musicFaults(path);
    for (const std::string& fault : faults) {
        problem(shown(path) + ": " + fault);
    }
    musicSeconds_ = files_.musicSeconds();
    faults_.emplace(platform::resolvePath(path), faults.empty() ? "" : faults.front());
}

const std::string& DataSetCheck::faultOf(const std::string& path, DataFile::Kind kind) {
    const std::string key = platform::resolvePath(path);
    if (auto found = faults_.find(key); found != faults_.end()) {
        return found->second;
    }
    ++counts_[kind];
    std::string fault = files_.fault(path, kind);
    return faults_.emplace(key, std::move(fault)).first->second;
}

std::string DataSetCheck::summary() const {
    const auto count = [this](DataFile::Kind kind) {
        const auto found = counts_.find(kind);
        return std::to_string(found == counts_.end() ? 0 : found->second);
    };
    char music[32];
    std::snprintf(music, sizeof music, "%.1f s of music", musicSeconds_);
    if (musicSeconds_ <= 0) {
        std::snprintf(music, sizeof music, "no music");
    }
    const std::string read = std::to_string(lists_) + " lists with " + std::to_string(rows_) +
                             " rows, " + count(DataFile::Kind::Picture) + " pictures, " +
                             count(DataFile::Kind::Model) + " models, " +
                             count(DataFile::Kind::CameraPath) + " camera paths, " + music;
    const std::string name = shown("./vintra");
    if (problems_.empty()) {
        return "tarvel: " + name + " is whole: " + read;
    }
    const size_t n = problems_.size();
    return "tarvel: " + name + " has " + std::to_string(n) + (n == 1 ? " problem" : " problems") +
           " (read " + read + ")";
}
