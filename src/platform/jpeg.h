// The JPEG decoder behind a small properties record: the caller fills the source and the
// DIB layout, then reads the header only or the whole image. Rows arrive top-down as
// blue-green-red triples, each row padded by `dibPadBytes`.
#pragma once

#include <cstddef>

namespace platform {

enum class JpegColor {
    Bgr,    // three channels, blue first (the DIB default)
    Grey,   // one channel
    YCbCr,  // the usual three-channel JPEG
    Other,  // no conversion: channels are copied as stored
};

enum class JpegResult {
    Ok,
    CannotOpen,
    Corrupt,       // not a JPEG, truncated or damaged data
    TooLarge,      // beyond kMaxSide per side or kMaxPixelBytes of pixels
    Unsupported,   // a DIB layout or colour conversion the decoder cannot deliver
    BadArguments,  // no source, no buffer, or a DIB size that differs from the JPEG's
};

struct JpegProperties {
    static constexpr int kMaxSide = 16384;
    static constexpr size_t kMaxPixelBytes = size_t{256} << 20;

    // The source: a file path, or a byte block when `jpgBytes` is set.
    const char* jpgFile = nullptr;
    const unsigned char* jpgBytes = nullptr;
    size_t jpgSizeBytes = 0;

    // Set by the header read.
    int jpgWidth = 0;
    int jpgHeight = 0;
    int jpgChannels = 0;
    JpegColor jpgColor = JpegColor::YCbCr;

    // The layout the caller wants; `dibBytes` must hold
    // (dibWidth × dibChannels + dibPadBytes) × dibHeight bytes.
    int dibWidth = 0;
    int dibHeight = 0;
    int dibChannels = 3;
    int dibPadBytes = 0;
    JpegColor dibColor = JpegColor::Bgr;
    unsigned char* dibBytes = nullptr;
};

// Fills jpgWidth, jpgHeight, jpgChannels and jpgColor from the file's header.
JpegResult readJpegHeader(JpegProperties& properties);

// Decodes the whole image into dibBytes. Any damage in the data is a failure, never a
// partly grey picture.
JpegResult readJpegImage(JpegProperties& properties);

// A short English description of a result, for log lines.
const char* jpegResultText(JpegResult result);

}  // namespace platform
