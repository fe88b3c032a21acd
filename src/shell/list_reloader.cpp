#include "shell/list_reloader.h"

#include <cstdio>

#include "base/frame_state.h"
#include "base/log.h"
#include "layers/camera_list.h"

ListReloader::ListReloader(Show& show) : lists_(show.listFiles()) {
    if (!watch_.ok()) {
        logWindow->say(LogLevel::Warning, LogModule::Shell,
                       "tarvel: cannot watch the list files (no inotify)");
        return;
    }
    for (size_t i = 0; i < lists_.size(); ++i) {
        if (!watch_.watchFile(lists_[i].path, static_cast<int>(i))) {
            logWindow->say(LogLevel::Warning, LogModule::Shell, "tarvel: cannot watch %s",
                           lists_[i].path);
        }
    }
    // A saved camera position file changes the cuts that fly it: the camera list, first.
    watch_.watchSuffix(CameraList::kPositionDirectory, ".pos", 0);
}

std::vector<std::string> ListReloader::poll() {
    std::vector<std::string> read;
    for (int key : watch_.saved()) {
        const Show::ListFile& list = lists_[static_cast<size_t>(key)];
        logWindow->print("Saved: %s", list.path);
        list.reload();
        logWindow->say(LogLevel::Info, LogModule::Shell, "tarvel: read %s again at show time %.2f",
                       list.path, showTime);
        read.push_back(list.path);
    }
    return read;
}
