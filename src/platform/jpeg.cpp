#include "platform/jpeg.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs the size types declared first.
#include <jpeglib.h>

#include "platform/path.h"

namespace platform {
namespace {

// More scans than any sane progressive file has; a crafted file could otherwise keep the
// decoder busy for minutes.
constexpr int kMaxScans = 500;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

[[noreturn]] void escapeDecode(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    std::longjmp(errors->escape, 1);
}

// libjpeg reports damaged data as warnings and goes on with grey blocks; a damaged picture
// is a failed load here, so the first warning ends the decode. Trace messages are dropped.
void stopOnWarning(j_common_ptr info, int level) {
    if (level < 0) {
        escapeDecode(info);
    }
}

void limitScans(j_common_ptr info) {
    if (info->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
        escapeDecode(info);
    }
}

bool tooLarge(long width, long height) {
    if (width > JpegProperties::kMaxSide || height > JpegProperties::kMaxSide) {
        return true;
    }
    return static_cast<size_t>(width) * static_cast<size_t>(height) * 3 >
           JpegProperties::kMaxPixelBytes;
}

JpegColor colorOf(J_COLOR_SPACE space) {
    switch (space) {
        case JCS_GRAYSCALE:
            return JpegColor::Grey;
        case JCS_YCbCr:
            return JpegColor::YCbCr;
        default:
            return JpegColor::Other;
    }
}

// The colour space libjpeg should deliver, or JCS_UNKNOWN when it cannot.
J_COLOR_SPACE outputSpace(const jpeg_decompress_struct& info, const JpegProperties& p) {
    if (p.dibColor == JpegColor::Other || p.jpgColor == JpegColor::Other) {
        return info.jpeg_color_space;
    }
    bool inkSpace = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    if (inkSpace) {
        return JCS_UNKNOWN;
    }
    switch (p.dibColor) {
        case JpegColor::Bgr:
            return JCS_EXT_BGR;
        case JpegColor::Grey:
            return JCS_GRAYSCALE;
        case JpegColor::YCbCr:
            return JCS_YCbCr;
        default:
            return JCS_UNKNOWN;
    }
}

bool dibMatches(const JpegProperties& p) {
    return p.dibBytes != nullptr && p.dibWidth == p.jpgWidth && p.dibHeight == p.jpgHeight &&
           p.dibChannels > 0 && p.dibPadBytes >= 0;
}

JpegResult decodeRows(jpeg_decompress_struct& info, JpegProperties& p) {
    if (!dibMatches(p)) {
        return JpegResult::BadArguments;
    }
    J_COLOR_SPACE space = outputSpace(info, p);
    if (space == JCS_UNKNOWN) {
        return JpegResult::Unsupported;
    }
    info.out_color_space = space;
    jpeg_calc_output_dimensions(&info);
    if (info.output_components != p.dibChannels) {
        return JpegResult::Unsupported;
    }
    jpeg_start_decompress(&info);
    size_t stride = static_cast<size_t>(p.dibWidth) * p.dibChannels + p.dibPadBytes;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = p.dibBytes + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return JpegResult::Ok;
}

// Runs between setjmp and a possible longjmp: only plain data lives here.
JpegResult runDecode(jpeg_decompress_struct& info, FILE* file, JpegProperties& p, bool whole) {
    if (file) {
        jpeg_stdio_src(&info, file);
    } else {
        jpeg_mem_src(&info, p.jpgBytes, static_cast<unsigned long>(p.jpgSizeBytes));
    }
    jpeg_read_header(&info, TRUE);
    p.jpgWidth = static_cast<int>(info.image_width);
    p.jpgHeight = static_cast<int>(info.image_height);
    p.jpgChannels = info.num_components;
    if (tooLarge(info.image_width, info.image_height)) {
        return JpegResult::TooLarge;
    }
    if (!whole) {
        p.jpgColor = colorOf(info.jpeg_color_space);
        return JpegResult::Ok;
    }
    return decodeRows(info, p);
}

JpegResult decodeFrom(FILE* file, JpegProperties& p, bool whole) {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    jpeg_progress_mgr progress{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = escapeDecode;
    errors.base.emit_message = stopOnWarning;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        return JpegResult::Corrupt;
    }
    jpeg_create_decompress(&info);
    progress.progress_monitor = limitScans;
    info.progress = &progress;
    JpegResult result = runDecode(info, file, p, whole);
    jpeg_destroy_decompress(&info);
    return result;
}

JpegResult decode(JpegProperties& p, bool whole) {
    if (p.jpgBytes) {
        return p.jpgSizeBytes == 0 ? JpegResult::Corrupt : decodeFrom(nullptr, p, whole);
    }
    if (!p.jpgFile) {
        return JpegResult::BadArguments;
    }
    FILE* file = openFile(p.jpgFile, "rb");
    if (!file) {
        return JpegResult::CannotOpen;
    }
    JpegResult result = decodeFrom(file, p, whole);
    std::fclose(file);
    return result;
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
