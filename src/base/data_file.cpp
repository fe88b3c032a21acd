#include "base/data_file.h"

namespace {

const char* extensionOf(DataFile::Kind kind) {
    switch (kind) {
        case DataFile::Kind::Picture:
            return ".jpg";
        case DataFile::Kind::Model:
            return ".3ds";
        case DataFile::Kind::CameraPath:
            return ".pos";
        case DataFile::Kind::Music:
            return ".mp3";
    }
    return "";
}

}  // namespace

std::string DataFile::member(int number) const {
    if (count == 0) {
        return path;
    }
    return path + std::to_string(number) + extensionOf(kind);
}

std::vector<std::string> DataFile::paths() const {
    std::vector<std::string> files;
    for (int n = 1; n <= (count == 0 ? 1 : count); ++n) {
        files.push_back(member(n));
    }
    return files;
}

const std::vector<const DataFile*>& DataFile::all() {
    using namespace data;
    static const std::vector<const DataFile*> files = {
        &kLoadingPictures,
        &kMusic,
        &kFlashWhite,
        &kFlashBlack,
        &kNickFrames,
        &kTurntableBody,
        &kTurntableUnderDisc,
        &kTurntableDisc,
        &kTurntableLabel,
        &kTitleOnceAgain,
        &kTitleAnother,
        &kTitleLastMinute,
        &kTitleProduction,
        &kTitlePresentedBy,
        &kScratchFrames,
        &kMorphStart,
        &kMorphEnd,
        &kMorphTexture,
        &kTower,
        &kTowerTexture,
        &kTowerTexts,
        &kTowerTextTexture,
        &kCodedBy,
        &kCodedByTexture,
        &kAuthor,
        &kAuthorTexture,
        &kTowerLightPath,
        &kTowerNoise,
        &kLight,
        &kLateScratchFrames,
    };
    return files;
}
