#include "shell/list_reloader.h"

#include <cstdio>

#include "base/frame_state.h"
#include "base/log.h"

namespace {

const char* const kCameraDirectory = "./vintra/cameras/";

}  // namespace

ListReloader::ListReloader(Show& show) : lists_(show.listFiles()) {
    if (!watch_.ok()) {
        std::fprintf(stderr, "tarvel: cannot watch the list files (no inotify)\n");
        return;
    }
    for (size_t i = 0; i < lists_.size(); ++i) {
        if (!watch_.watchFile(lists_[i].path, static_cast<int>(i))) {
            std::fprintf(stderr, "tarvel: cannot watch %s\n", lists_[i].path);
        }
    }
    // A saved camera position file changes the cuts that fly it: the camera list, first.
    watch_.watchSuffix(kCameraDirectory, ".pos", 0);
}

std::vector<std::string> ListReloader::poll() {
    std::vector<std::string> read;
    for (int key : watch_.saved()) {
        const Show::ListFile& list = lists_[static_cast<size_t>(key)];
        logWindow->print("Saved: %s", list.path);
        list.reload();
        std::fprintf(stderr, "tarvel: read %s again at show time %.2f\n", list.path, showTime);
        read.push_back(list.path);
    }
    return read;
}
