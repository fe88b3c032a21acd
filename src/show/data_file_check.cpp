#include "show/data_file_check.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "image/jpg_image.h"
#include "lists/position_row.h"
#include "objects/l3ds.h"
#include "platform/path.h"
#include "platform/sound/mp3_stream.h"

namespace {

constexpr int kMixRate = 44100;  // the mixer's rate, which the music is decoded to
constexpr size_t kMinPathPositions = 4;

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
        return musicFault(path);
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
    std::string firstError;
    model.SetErrorHook([&firstError](const std::string& message) {
        // The reader's messages name its own functions first: "L3DS::Read3DS - …".
        if (firstError.empty()) {
            const size_t dash = message.find(" - ");
            firstError = dash == std::string::npos ? message : message.substr(dash + 3);
        }
    });
    if (!model.LoadFromMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) {
        return "does not load as a 3DS model" + (firstError.empty() ? "" : ": " + firstError);
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

std::string DataFileCheck::musicFault(const std::string& path) {
    musicSeconds_ = 0;
    if (!platform::fileExists(path.c_str())) {
        return kMissing;
    }
    platform::sound::Error error = platform::sound::Error::None;
    std::string reason;
    auto stream = platform::sound::Mp3Stream::open(path, kMixRate, error, reason);
    if (!stream) {
        return "does not decode as MP3 music: " + (reason.empty() ? "unknown format" : reason);
    }
    musicSeconds_ = static_cast<double>(stream->lengthFrames()) / kMixRate;
    return {};
}
