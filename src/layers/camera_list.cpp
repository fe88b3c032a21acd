#include "layers/camera_list.h"

#include <optional>
#include <string>
#include <unordered_set>

#include "base/beat.h"
#include "camera/camera.h"
#include "layers/list_reader.h"

bool CameraList::read(const char* path, const Camera* inUse) {
    if (!path) {
        return false;
    }
    std::optional<std::string> text = ListReader::open(path, "Loading cameras from: ", path);
    if (!text) {
        return false;
    }
    readText(*text, path, inUse);
    return true;
}

void CameraList::readText(std::string_view text, const char* path, const Camera* inUse) {
    releaseUnusedCuts(inUse);
    ListReader::readRows<CameraRow>(
        text, path, [&](const CameraRow& row, const std::string& origin) {
            schedule(row, origin);
            return true;  // a cut whose position file did not load still counts
        });
}

void CameraList::schedule(const CameraRow& row, const std::string& origin) {
    const std::string positionPath = std::string(kPositionDirectory) + row.file;
    const double scale = row.beats ? kBeatSeconds : 1.0;
    const auto seconds = [scale](double v) { return static_cast<float>(v * scale); };
    auto cut = std::make_unique<CameraCut>();
    cut->setMoveTime(seconds(row.moveTime));
    cut->origin = origin + " " + row.file;
    if (cut->loadPath(positionPath.c_str()) && timeline) {
        timeline->add(seconds(row.start), seconds(row.end), cut.get());
    }
    cuts.push_back(std::move(cut));
}

void CameraList::releaseUnusedCuts(const Camera* inUse) {
    std::unordered_set<const Layer*> scheduled;
    if (timeline) {
        for (const Timeline::Entry& entry : timeline->entries()) {
            scheduled.insert(entry.layer);
        }
    }
    std::erase_if(cuts, [&](const std::unique_ptr<CameraCut>& cut) {
        return cut->getCamera() != inUse && !scheduled.contains(cut.get());
    });
}
