#include "platform/jpeg.h"

#include <string>

#include "platform/jpeg_decoder.h"
#include "platform/path.h"

namespace platform {
namespace {

bool tooLarge(long width, long height) {
    if (width > JpegProperties::kMaxSide || height > JpegProperties::kMaxSide) {
        return true;
    }
    return static_cast<size_t>(width) * static_cast<size_t>(height) * 3 >
           JpegProperties::kMaxPixelBytes;
}

bool dibMatches(const JpegProperties& p) {
    return p.dibBytes != nullptr && p.dibWidth == p.jpgWidth && p.dibHeight == p.jpgHeight &&
           p.dibChannels > 0 && p.dibPadBytes >= 0;
}

JpegResult decodeBytes(const unsigned char* bytes, size_t size, JpegProperties& p, bool whole) {
    JpegColor color = JpegColor::Other;
    if (size == 0 || !jpeg_decoder::readHeader(bytes, size, p, color)) {
        return JpegResult::Corrupt;
    }
    if (tooLarge(p.jpgWidth, p.jpgHeight)) {
        return JpegResult::TooLarge;
    }
    if (!whole) {
        p.jpgColor = color;
        return JpegResult::Ok;
    }
    if (!dibMatches(p)) {
        return JpegResult::BadArguments;
    }
    return jpeg_decoder::readRows(bytes, size, p);
}

JpegResult decode(JpegProperties& p, bool whole) {
    if (p.jpgBytes) {
        return decodeBytes(p.jpgBytes, p.jpgSizeBytes, p, whole);
    }
    if (!p.jpgFile) {
        return JpegResult::BadArguments;
    }
    std::string bytes;
    if (!readFile(p.jpgFile, bytes)) {
        return JpegResult::CannotOpen;
    }
    return decodeBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), p,
                       whole);
}

}  // namespace

JpegResult readJpegHeader(JpegProperties& properties) {
    return decode(properties, false);
}

JpegResult readJpegImage(JpegProperties& properties) {
    return decode(properties, true);
}

const char* jpegResultText(JpegResult result) {
    switch (result) {
        case JpegResult::Ok:
            return "ok";
        case JpegResult::CannotOpen:
            return "cannot open the file";
        case JpegResult::Corrupt:
            return "damaged or not a JPEG";
        case JpegResult::TooLarge:
            return "image too large";
        case JpegResult::Unsupported:
            return "unsupported colour layout";
        case JpegResult::BadArguments:
            return "bad decode arguments";
    }
    return "unknown";
}

}  // namespace platform
