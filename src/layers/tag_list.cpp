#include "layers/tag_list.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_set>

#include "base/log.h"
#include "layers/list_lines.h"
#include "platform/path.h"

namespace {

// Repeat offsets and threshold, seconds (228, 248 and 262 beats; 43 beats).
constexpr double kRepeatFirst = 109.44;
constexpr double kRepeatSecond = 119.04;
constexpr double kRepeatLate = 125.76;
constexpr double kLateThreshold = 20.64;

}  // namespace

TagList::TagList(Timeline* target) : timeline(target) {}

void TagList::setDirectory(const char* prefix) {
    directory = prefix;
}

bool TagList::read(const char* listPath) {
    return read(listPath, GL_SRC_ALPHA, GL_ONE);
}

bool TagList::read(const char* listPath, GLenum source, GLenum destination) {
    logWindow->print("Reading tags and phlicks from: %s%s", directory, listPath);
    FILE* file = platform::openFile(listPath, "rb");
    if (!file) {
        logWindow->print("File Not Found : %s%s\n", directory, listPath);
        return false;
    }
    std::vector<TagRow> rows = TagRow::parseList(file, directory, listPath);
    std::fclose(file);
    dropUnusedTags();
    for (const TagRow& row : rows) {
        schedule(row, listPath, source, destination);
    }
    logWindow->print("Read %d rows.", static_cast<int>(rows.size()));
    return true;
}

void TagList::schedule(const TagRow& row, const char* listPath, GLenum source, GLenum destination) {
    auto tag = std::make_unique<Tag>(row.imagePath.c_str());
    tag->origin =
        ListLines::origin(listPath, row.line) + " " + row.imagePath.substr(std::strlen(directory));
    tag->setFade(row.fadeIn, row.hold, row.fadeOut);
    tag->setPosition(row.x, row.y, row.z);
    tag->setRotation(row.rotation);
    tag->setPeak(row.peak);
    tag->setZDrift(row.zDrift);
    tag->setBlend(source, destination);
    double duration = tag->getDuration();
    timeline->add(row.start, row.start + duration, tag.get());
    if (repeatTwice) {
        timeline->add(row.start + kRepeatFirst, row.start + kRepeatFirst + duration, tag.get());
        timeline->add(row.start + kRepeatSecond, row.start + kRepeatSecond + duration, tag.get());
    }
    // row.start is the single-precision value widened, so 43 beats stays below 20.64.
    if (repeatLate && row.start >= kLateThreshold) {
        timeline->add(row.start + kRepeatLate, row.start + kRepeatLate + duration, tag.get());
    }
    tags_.push_back(std::move(tag));
}

// A reload empties the timeline first; the tags it no longer shows can go.
void TagList::dropUnusedTags() {
    std::unordered_set<const Layer*> shown;
    for (const Timeline::Entry& entry : timeline->entries()) {
        shown.insert(entry.layer);
    }
    std::erase_if(tags_, [&](const std::unique_ptr<Tag>& tag) { return !shown.count(tag.get()); });
}
