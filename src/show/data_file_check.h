// Reads one file of the data set as the show's loaders would, without GL: a picture is
// decoded, a model parsed, a camera path counted, the music decoded whole. Says why a file
// will not serve, in a few words, for `tarvel --check`.
#pragma once

#include <string>
#include <vector>

#include "base/data_file.h"

class DataFileCheck {
public:
    static constexpr const char* kMissing = "missing";

    // The whole file into `bytes`; else why not: kMissing, or that it cannot be read.
    static std::string readWhole(const std::string& path, std::string& bytes);

    // Empty when the file at `path` (relative to the current directory, found ignoring
    // case) serves as a file of `kind`; else the reason, "missing" when there is none.
    std::string fault(const std::string& path, DataFile::Kind kind);

    // Everything the show would not play as written of the music at `path`, one reason a
    // line: missing, not MP3, damaged places with the time they are at and the music lost
    // there, cut short, shorter than the show. Empty when the show hears it whole.
    std::vector<std::string> musicFaults(const std::string& path);

    // The length of the music the last MP3 checked holds, as the show hears it, in seconds.
    double musicSeconds() const { return musicSeconds_; }

private:
    static std::string pictureFault(const std::string& bytes);
    static std::string modelFault(const std::string& bytes);
    static std::string cameraPathFault(const std::string& bytes);

    double musicSeconds_ = 0;
};
