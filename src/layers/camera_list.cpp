#include "layers/camera_list.h"

#include <cstdio>
#include <string>
#include <unordered_set>

#include "base/beat.h"
#include "base/log.h"
#include "camera/camera.h"
#include "layers/list_lines.h"
#include "platform/path.h"

namespace {

constexpr const char* kPositionDirectory = "./vintra/cameras/";

}  // namespace

bool CameraList::read(const char* path) {
    if (!path) {
        return false;
    }
    logWindow->print("Loading cameras from: %s", path);
    FILE* file = platform::openFile(path, "rb");
    if (!file) {
        logWindow->print("File Not Found : %s\n", path);
        return false;
    }
    releaseUnusedCuts();
    int rows = 0;
    ListLines lines(file, path);
    while (const char* line = lines.next()) {
        if (!readRow(line, lines.origin(), rows)) {
            lines.skipped();
        }
    }
    std::fclose(file);
    logWindow->print("Read %d rows.", rows);
    return true;
}

bool CameraList::readRow(const char* line, const std::string& origin, int& rows) {
    char name[1024];
    float start, end, moveTime, unit;
    if (std::sscanf(line, "%1023s\t%f\t%f\t%f\t%f\n", name, &start, &end, &moveTime, &unit) != 5) {
        return false;
    }
    ++rows;
    std::string positionPath = std::string(kPositionDirectory) + name;
    if (unit > 0) {
        start *= kBeatSeconds;
        end *= kBeatSeconds;
        moveTime *= kBeatSeconds;
    }
    auto cut = std::make_unique<CameraCut>();
    cut->setMoveTime(moveTime);
    cut->origin = origin + " " + name;
    if (cut->loadPath(positionPath.c_str()) && timeline) {
        timeline->add(start, end, cut.get());
    }
    cuts.push_back(std::move(cut));
    return true;
}

void CameraList::releaseUnusedCuts() {
    std::unordered_set<const Layer*> scheduled;
    if (timeline) {
        for (const Timeline::Entry& entry : timeline->entries()) {
            scheduled.insert(entry.layer);
        }
    }
    std::erase_if(cuts, [&](const std::unique_ptr<CameraCut>& cut) {
        return cut->getCamera() != ::camera && !scheduled.contains(cut.get());
    });
}
