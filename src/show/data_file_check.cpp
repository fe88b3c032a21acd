#include "show/data_file_check.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "image/jpg_image.h"
#include "lists/position_row.h"
#include "objects/l3ds.h"
#include "platform/path.h"
#include "platform/sound/mp3_stream.h"
#include "platform/sound/mp3_survey.h"
#include "show/show_clock.h"

namespace {

constexpr int kMixRate = 44100;  // the mixer's rate, which the music is decoded to
constexpr size_t kMinPathPositions = 4;
constexpr double kNoticeable = 0.001;  // s: less music lost than this is none

// "1:14.4": where in the music, as an author finds it in an editor or a player.
std::string clockTime(double seconds) {
    char text[32];
    const double tenths = std::round(seconds * 10);
    std::snprintf(text, sizeof text, "%d:%04.1f", static_cast<int>(tenths / 600),
                  std::fmod(tenths, 600) / 10);
    return text;
}

std::string secondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
}

// What the decoder's survey means for the show, one problem a line.
class MusicReport {
public:
    explicit MusicReport(const platform::sound::Mp3Survey& survey) : survey_(survey) {}

    std::vector<std::string> lines() {
        damage();
        ending();
        if (survey_.heardSeconds < ShowClock::kEndTime) {
            say(clockTime(survey_.heardSeconds) + " of music, " +
                secondsText(ShowClock::kEndTime - survey_.heardSeconds) +
                " shorter than the show (" + clockTime(ShowClock::kEndTime) +
                "): the show plays on in silence after " + clockTime(survey_.heardSeconds));
        }
        return lines_;
    }

private:
    void say(std::string line) { lines_.push_back(std::move(line)); }

    // Where the decoder lost its place. One place takes the blame for all the music lost,
    // unless the file is also cut short.
    void damage() {
        const auto& resyncs = survey_.resyncs;
        const double lost = survey_.lostSeconds();
        if (resyncs.size() == 1 && !cutShort() && survey_.announcedSeconds > 0) {
            const std::string at = clockTime(resyncs.front().at);
            say("damaged at " + at +
                (lost < kNoticeable
                     ? ": " + skipped(resyncs.front()) + ", no music lost"
                     : ": " + secondsText(lost) + " of music lost there, so from " + at +
                           " on it plays " + secondsText(lost) + " early against the show"));
            return;
        }
        constexpr size_t kShown = 10;
        for (size_t i = 0; i < resyncs.size() && i < kShown; ++i) {
            say("damaged at " + clockTime(resyncs[i].at) + ": " + skipped(resyncs[i]));
        }
        if (resyncs.size() > kShown) {
            say("damaged at " + std::to_string(resyncs.size() - kShown) + " more places after " +
                clockTime(resyncs[kShown - 1].at));
        }
        if (!resyncs.empty() && !cutShort() && lost >= kNoticeable) {
            say(secondsText(lost) + " of music lost to the damage: from " +
                clockTime(resyncs.front().at) + " on it plays up to " + secondsText(lost) +
                " early against the show");
        }
    }

    // How the music ends, when that is not the end the file was made with.
    void ending() {
        const std::string end = clockTime(survey_.heardSeconds);
        const std::string announced = survey_.lostSeconds() >= kNoticeable
                                          ? ", " + secondsText(survey_.lostSeconds()) +
                                                " before the end its header announces (" +
                                                clockTime(survey_.announcedSeconds) + ")"
                                          : "";
        if (!survey_.stoppedBy.empty()) {
            say("the decoder stops at " + end + ": " + survey_.stoppedBy + announced);
        } else if (cutShort()) {
            say("cut short: the music ends at " + end + announced);
        }
    }

    // The file stops inside a frame, or frames are missing at its end with no damage before.
    bool cutShort() const {
        return survey_.cutInFrame ||
               (survey_.resyncs.empty() && survey_.lostSeconds() >= kNoticeable);
    }

    static std::string skipped(const platform::sound::Mp3Survey::Resync& resync) {
        const int64_t count = resync.skippedBytes;
        if (count <= 0) {
            return "a frame there overlaps the one before";
        }
        return "the decoder skipped " + std::to_string(count) + (count == 1 ? " byte" : " bytes") +
               " there to find the next frame";
    }

    const platform::sound::Mp3Survey& survey_;
    std::vector<std::string> lines_;
};

}  // namespace

std::string DataFileCheck::readWhole(const std::string& path, std::string& bytes) {
    FILE* file = platform::openFile(path.c_str(), "rb");
    if (!file) {
        return errno == ENOENT ? kMissing : std::string("cannot be read: ") + std::strerror(errno);
    }
    char buffer[65536];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, n);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? "cannot be read" : "";
}

std::string DataFileCheck::fault(const std::string& path, DataFile::Kind kind) {
    if (kind == DataFile::Kind::Music) {
        const std::vector<std::string> faults = musicFaults(path);
        return faults.empty() ? std::string() : faults.front();
    }
    // A file larger than any picture may be is not read in, as the show's loader does not.
    struct stat info {};
    if (kind == DataFile::Kind::Picture &&
        ::stat(platform::resolvePath(path).c_str(), &info) == 0 &&
        static_cast<size_t>(info.st_size) > platform::JpegProperties::kMaxPixelBytes) {
        return "larger than any picture the show reads";
    }
    std::string bytes;
    if (std::string reason = readWhole(path, bytes); !reason.empty()) {
        return reason;
    }
    switch (kind) {
        case DataFile::Kind::Picture:
            return pictureFault(bytes);
        case DataFile::Kind::Model:
            return modelFault(bytes);
        case DataFile::Kind::CameraPath:
            return cameraPathFault(bytes);
        case DataFile::Kind::Music:
            break;
    }
    return {};
}

std::string DataFileCheck::pictureFault(const std::string& bytes) {
    JPGImage image;
    if (image.loadFromMemory(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size())) {
        return {};
    }
    return std::string("does not decode as a JPEG: ") + platform::jpegResultText(image.result);
}

std::string DataFileCheck::modelFault(const std::string& bytes) {
    L3DS model;
    if (!model.LoadFromMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) {
        const std::string& error = model.FirstError();
        return "does not load as a 3DS model" + (error.empty() ? "" : ": " + error);
    }
    size_t triangles = 0;
    for (size_t i = 0; i < model.GetMeshCount(); ++i) {
        triangles += model.GetMesh(i).GetTriangleCount();
    }
    if (model.GetMeshCount() == 0) {
        return "a 3DS model without meshes";
    }
    if (triangles == 0) {
        return "a 3DS model whose meshes have no faces";
    }
    return {};
}

std::string DataFileCheck::cameraPathFault(const std::string& bytes) {
    const size_t positions = PositionRow::parse(bytes).size();
    if (positions >= kMinPathPositions) {
        return {};
    }
    return std::to_string(positions) + (positions == 1 ? " position" : " positions") +
           ", a camera path needs at least " + std::to_string(kMinPathPositions);
}

std::vector<std::string> DataFileCheck::musicFaults(const std::string& path) {
    musicSeconds_ = 0;
    if (!platform::fileExists(path.c_str())) {
        return {kMissing};
    }
    platform::sound::Error error = platform::sound::Error::None;
    std::string reason;
    if (!platform::sound::Mp3Stream::open(path, kMixRate, error, reason)) {
        return {"does not decode as MP3 music: " + (reason.empty() ? "unknown format" : reason)};
    }
    const platform::sound::Mp3Survey survey = platform::sound::Mp3Survey::of(path);
    if (!survey.decoded) {
        return {"does not decode as MP3 music: " + survey.failure};
    }
    musicSeconds_ = survey.heardSeconds;
    return MusicReport(survey).lines();
}
