// Authoring: reads a list file of the show again as soon as an editor saves it, and the
// camera list when one of its position files is saved, leaving show time and music where
// they are. Leans on the platform's file watch.
#pragma once

#include <string>
#include <vector>

#include "platform/file_watch.h"
#include "show/show.h"

class ListReloader {
public:
    explicit ListReloader(Show& show);

    // Reads again every list saved since the last call and returns the paths read.
    std::vector<std::string> poll();

private:
    const Show& show_;
    platform::FileWatch watch_;
    std::vector<Show::ListFile> lists_;
};
