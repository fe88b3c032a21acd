// The files of the data set that the show reads besides its list files: every picture, frame
// sequence, model, camera path and the music, each named once here. The builders load them
// by these names, and `tarvel --check` reads every file of DataFile::all().
#pragma once

#include <string>
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

    // Every file the show reads outside its lists, in the order start-up first reads them.
    static const std::vector<const DataFile*>& all();
};

namespace data {

using Kind = DataFile::Kind;

inline constexpr DataFile kLoadingPictures{"./vintra/loading/l", Kind::Picture, 3};
inline constexpr DataFile kMusic{"./vintra/Ostrel.mp3", Kind::Music};
inline constexpr DataFile kFlashWhite{"./vintra/flash/white.jpg", Kind::Picture};
inline constexpr DataFile kFlashBlack{"./vintra/flash/black.jpg", Kind::Picture};
// The character's frames and the turntable of the opening.
inline constexpr DataFile kNickFrames{"./vintra/nick/nick", Kind::Picture, 24};
inline constexpr DataFile kTurntableBody{"./vintra/turnbody.3ds", Kind::Model};
inline constexpr DataFile kTurntableUnderDisc{"./vintra/turnunderdisc.3ds", Kind::Model};
inline constexpr DataFile kTurntableDisc{"./vintra/turndisc.3ds", Kind::Model};
inline constexpr DataFile kTurntableLabel{"./vintra/korrin.jpg", Kind::Picture};
// The five title words, in the order they are written.
inline constexpr DataFile kTitleOnceAgain{"./vintra/text/once_again.3ds", Kind::Model};
inline constexpr DataFile kTitleAnother{"./vintra/text/another.3ds", Kind::Model};
inline constexpr DataFile kTitleLastMinute{"./vintra/text/last_minute.3ds", Kind::Model};
inline constexpr DataFile kTitleProduction{"./vintra/text/production.3ds", Kind::Model};
inline constexpr DataFile kTitlePresentedBy{"./vintra/text/presented_by.3ds", Kind::Model};
inline constexpr DataFile kScratchFrames{"./vintra/Scratch1/Scratch", Kind::Picture, 40};
// The morphing model: two shapes with the same faces, and its texture.
inline constexpr DataFile kMorphStart{"./vintra/spnormal.3ds", Kind::Model};
inline constexpr DataFile kMorphEnd{"./vintra/spinne.3ds", Kind::Model};
inline constexpr DataFile kMorphTexture{"./vintra/noise2.jpg", Kind::Picture};
// The tower scene: the tower, its nine credit texts, "coded by" and the author.
inline constexpr DataFile kTower{"./vintra/tower2.3ds", Kind::Model};
inline constexpr DataFile kTowerTexture{"./vintra/tower/noise8.jpg", Kind::Picture};
inline constexpr DataFile kTowerTexts{"./vintra/tower/t", Kind::Model, 9};
inline constexpr DataFile kTowerTextTexture{"./vintra/tower/text.jpg", Kind::Picture};
inline constexpr DataFile kCodedBy{"./vintra/codedby.3ds", Kind::Model};
inline constexpr DataFile kCodedByTexture{"./vintra/coded_by.jpg", Kind::Picture};
inline constexpr DataFile kAuthor{"./vintra/zorbel.3ds", Kind::Model};
inline constexpr DataFile kAuthorTexture{"./vintra/zorbel.jpg", Kind::Picture};
inline constexpr DataFile kTowerLightPath{"./vintra/cameras/2_tower2.pos", Kind::CameraPath};
inline constexpr DataFile kTowerNoise{"./vintra/noise7.jpg", Kind::Picture};
// The light map of every lit model and the sparks' sprite.
inline constexpr DataFile kLight{"./vintra/light.jpg", Kind::Picture};
inline constexpr DataFile kLateScratchFrames{"./vintra/Scratch2/Scratch", Kind::Picture, 15};

}  // namespace data
