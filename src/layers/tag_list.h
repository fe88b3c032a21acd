// Reads a tag list file and puts one Tag per row on a timeline, with the blend pair and
// repeat flags the show chose for that list. The reader keeps the tags alive.
#pragma once

#include "render/gl/gl.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/data_file.h"
#include "base/random.h"
#include "base/timeline.h"
#include "layers/tag.h"
#include "layers/tag_placement.h"

class TagList {
public:
    explicit TagList(Timeline* timeline);

    // The prefix of every image name; referenced, not copied.
    void setDirectory(const char* directory);
    bool read(const char* listPath);
    // Appends to the timeline; the caller empties it before a reload.
    bool read(const char* listPath, GLenum source, GLenum destination);
    // The same with the list's text from memory; `listPath` names it in the log.
    void readText(std::string_view text, const char* listPath, GLenum source, GLenum destination);

    // Where a list's pictures are unless the show names another directory.
    static constexpr const char* kDefaultDirectory = data::kBackTagList.directory;

    Timeline* timeline;
    const char* directory = kDefaultDirectory;
    bool repeatTwice = false;  // again 109.44 s and 119.04 s later
    bool repeatLate = false;   // again 125.76 s later, for tags from 20.64 s on

private:
    void schedule(const TagPlacement& placement, const TagRow& row, const std::string& origin,
                  GLenum source, GLenum destination);
    void dropUnusedTags();

    std::vector<std::unique_ptr<Tag>> tags_;
    Random random_;  // the 666 markers' values, from the list's own sequence
};
