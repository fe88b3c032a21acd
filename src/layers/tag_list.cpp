#include "layers/tag_list.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

#include "base/log.h"
#include "layers/list_reader.h"

namespace {

// Repeat offsets and threshold, seconds (228, 248 and 262 beats; 43 beats).
constexpr double kRepeatFirst = 109.44;
constexpr double kRepeatSecond = 119.04;
constexpr double kRepeatLate = 125.76;
constexpr double kLateThreshold = 20.64;

}  // namespace

TagList::TagList(Timeline* target) : timeline(target) {}

void TagList::setDirectory(const char* prefix) {
    directory = prefix ? prefix : "";
}

bool TagList::read(const char* listPath) {
    return read(listPath, GL_SRC_ALPHA, GL_ONE);
}

bool TagList::read(const char* listPath, GLenum source, GLenum destination) {
    if (!listPath) {
        return false;
    }
    std::optional<std::string> text = ListReader::open(
        listPath, "Reading tags and phlicks from: ", std::string(directory) + listPath);
    if (!text) {
        return false;
    }
    readText(*text, listPath, source, destination);
    return true;
}

void TagList::readText(std::string_view text, const char* listPath, GLenum source,
                       GLenum destination) {
    dropUnusedTags();
    // Every read of a list draws the same values: a reload places its rows as a fresh start
    // does, whatever else was read or drawn before.
    random_.reseed(Random::seedFor(listPath));
    ListReader::readRows<TagRow>(text, listPath, [&](const TagRow& row, const std::string& origin) {
        std::optional<TagPlacement> placement = TagPlacement::resolve(row, directory, random_);
        if (!placement) {
            logWindow->print("Image path too long, row skipped: %s...",
                             row.image.substr(0, 60).c_str());  // enough to find the row
            return false;
        }
        schedule(*placement, row, origin, source, destination);
        return true;
    });
}

void TagList::schedule(const TagPlacement& placement, const TagRow& row, const std::string& origin,
                       GLenum source, GLenum destination) {
    auto tag = std::make_unique<Tag>(placement.imagePath.c_str());
    tag->origin = origin + " " + row.image;
    tag->setFade(placement.fadeIn, placement.hold, placement.fadeOut);
    tag->setPosition(placement.x, placement.y, placement.z);
    tag->setRotation(placement.rotation);
    tag->setPeak(placement.peak);
    tag->setZDrift(placement.zDrift);
    tag->setBlend(source, destination);
    const double start = placement.start;
    const double duration = tag->getDuration();
    timeline->add(start, start + duration, tag.get());
    if (repeatTwice) {
        timeline->add(start + kRepeatFirst, start + kRepeatFirst + duration, tag.get());
        timeline->add(start + kRepeatSecond, start + kRepeatSecond + duration, tag.get());
    }
    // The start is the single-precision value widened, so 43 beats stays below 20.64.
    if (repeatLate && start >= kLateThreshold) {
        timeline->add(start + kRepeatLate, start + kRepeatLate + duration, tag.get());
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
