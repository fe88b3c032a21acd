// Reads the camera list (tab-separated rows: position file, start, end, move time, unit)
// and schedules one CameraCut per row whose position file loaded. Owns the cuts it makes.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/data_file.h"
#include "base/timeline.h"
#include "layers/camera_cut.h"
#include "lists/camera_row.h"

class CameraList {
public:
    // Where the position files a row names are.
    static constexpr const char* kPositionDirectory = data::kCameraList.directory;

    explicit CameraList(Timeline* timeline) : timeline(timeline) {}

    // False only when the list cannot be opened. Cuts of an earlier read are freed unless
    // the timeline still holds them or one of them is the current camera.
    bool read(const char* path);
    // The same with the list's text from memory; `path` names it in the log.
    void readText(std::string_view text, const char* path);

    Timeline* timeline;
    std::vector<std::unique_ptr<CameraCut>> cuts;

private:
    void releaseUnusedCuts();
    void schedule(const CameraRow& row, const std::string& origin);
};
