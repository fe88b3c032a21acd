// The files of the data set, each named once here: every picture, frame sequence, model,
// camera path and the music, and the list files with the directories their rows name files
// in. The builders load them by these names, `tarvel --check` reads every file of
// DataFile::all() and every list, and the generator writes each under the same name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct DataFile {
    enum class Kind { Picture, Model, CameraPath, Music };

    // Relative to the directory holding vintra/; for a numbered series, the part before
    // the number.
    const char* path;
    Kind kind;
    // A numbered series: path + 1 … path + count, each followed by the kind's extension.
    int count = 0;

    // File `number` (from 1) of a series; the path itself for a single file.
    std::string member(int number) const;
    // Every file, a series expanded.
    std::vector<std::string> paths() const;
    // member(number) below the data set's directory ("tower/t3.3ds"), as the generator
    // writes it.
    std::string inDataSet(int number = 1) const;

    // Every file the show reads outside its lists, in the order start-up first reads them.
    static const std::vector<const DataFile*>& all();
};

// A list file, and the directory its rows name their files in (none for the flashes).
struct DataList {
    const char* path;
    const char* directory = nullptr;
};

// Every file the show reads outside its lists, in the order start-up first reads them: the
// name the code gives it, its path, its kind and, for a numbered series, its count.
// DataFile::all() is built from the same list.
#define TARVEL_DATA_FILES(FILE)                                                \
    FILE(kLoadingPictures, "./vintra/loading/l", Picture, 3)                   \
    FILE(kMusic, "./vintra/Ostrel.mp3", Music, 0)                              \
    FILE(kFlashWhite, "./vintra/flash/white.jpg", Picture, 0)                  \
    FILE(kFlashBlack, "./vintra/flash/black.jpg", Picture, 0)                  \
    /* The character's frames and the turntable of the opening. */             \
    FILE(kNickFrames, "./vintra/nick/nick", Picture, 24)                       \
    FILE(kTurntableBody, "./vintra/turnbody.3ds", Model, 0)                    \
    FILE(kTurntableUnderDisc, "./vintra/turnunderdisc.3ds", Model, 0)          \
    FILE(kTurntableDisc, "./vintra/turndisc.3ds", Model, 0)                    \
    FILE(kTurntableLabel, "./vintra/korrin.jpg", Picture, 0)                   \
    /* The five title words, in the order they are written. */                 \
    FILE(kTitleOnceAgain, "./vintra/text/once_again.3ds", Model, 0)            \
    FILE(kTitleAnother, "./vintra/text/another.3ds", Model, 0)                 \
    FILE(kTitleLastMinute, "./vintra/text/last_minute.3ds", Model, 0)          \
    FILE(kTitleProduction, "./vintra/text/production.3ds", Model, 0)           \
    FILE(kTitlePresentedBy, "./vintra/text/presented_by.3ds", Model, 0)        \
    FILE(kScratchFrames, "./vintra/Scratch1/Scratch", Picture, 40)             \
    /* The morphing model: two shapes with the same faces, and its texture. */ \
    FILE(kMorphStart, "./vintra/spnormal.3ds", Model, 0)                       \
    FILE(kMorphEnd, "./vintra/spinne.3ds", Model, 0)                           \
    FILE(kMorphTexture, "./vintra/noise2.jpg", Picture, 0)                     \
    /* The tower scene: the tower, its nine credit texts, "coded by" and the   \
       author. */                                                              \
    FILE(kTower, "./vintra/tower2.3ds", Model, 0)                              \
    FILE(kTowerTexture, "./vintra/tower/noise8.jpg", Picture, 0)               \
    FILE(kTowerTexts, "./vintra/tower/t", Model, 9)                            \
    FILE(kTowerTextTexture, "./vintra/tower/text.jpg", Picture, 0)             \
    FILE(kCodedBy, "./vintra/codedby.3ds", Model, 0)                           \
    FILE(kCodedByTexture, "./vintra/coded_by.jpg", Picture, 0)                 \
    FILE(kAuthor, "./vintra/zorbel.3ds", Model, 0)                             \
    FILE(kAuthorTexture, "./vintra/zorbel.jpg", Picture, 0)                    \
    FILE(kTowerLightPath, "./vintra/cameras/2_tower2.pos", CameraPath, 0)      \
    FILE(kTowerNoise, "./vintra/noise7.jpg", Picture, 0)                       \
    /* The light map of every lit model and the sparks' sprite. */             \
    FILE(kLight, "./vintra/light.jpg", Picture, 0)                             \
    FILE(kLateScratchFrames, "./vintra/Scratch2/Scratch", Picture, 15)

namespace data {

// The data set's directory as the show's paths begin, and the other spelling a few of them
// keep (the show finds files ignoring case).
inline constexpr std::string_view kRoot = "./vintra/";
inline constexpr std::string_view kCapitalRoot = "./Vintra/";

// A path of the show below the data set's directory, as the data set stores it (the
// generator writes it there): "tower/t3.3ds" for "./vintra/tower/t3.3ds". The data set
// keeps the directories of a "./Vintra/" path in lower case: "qelvo/Qelvo.txt" for
// "./Vintra/Qelvo/Qelvo.txt".
std::string inDataSet(std::string_view path);

#define TARVEL_DATA_FILE_CONSTANT(name, path, kind, count) \
    inline constexpr DataFile name{path, DataFile::Kind::kind, count};
TARVEL_DATA_FILES(TARVEL_DATA_FILE_CONSTANT)
#undef TARVEL_DATA_FILE_CONSTANT

// The list files, one a row of Show::kListSources.
inline constexpr DataList kCameraList{"./vintra/cameras/cameras.txt", "./vintra/cameras/"};
inline constexpr DataList kFlashList{"./vintra/flash/flash.txt"};
inline constexpr DataList kBackTagList{"./vintra/tags/256/tagback.txt", "./vintra/tags/256/bra/"};
inline constexpr DataList kFrontTagList{"./vintra/tags/front/tagfront.txt", "./vintra/tags/front/"};
inline constexpr DataList kGraffitiList{"./vintra/graffiti/phlicks.txt", "./vintra/graffiti/"};
// Spelled with capitals as the show has always asked for it: the path also seeds the list's
// random picks, so respelling it would move them.
inline constexpr DataList kCrewList{"./Vintra/Qelvo/Qelvo.txt", "./Vintra/Qelvo/"};
inline constexpr DataList kInfoList{"./vintra/info/info.txt", "./vintra/info/"};

}  // namespace data
