// The desktop's JPEG decoder: libjpeg-turbo, which delivers blue-green-red rows itself.
#include "platform/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs the size types declared first.
#include <jpeglib.h>

namespace platform::jpeg_decoder {
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

JpegResult decodeRows(jpeg_decompress_struct& info, JpegProperties& p) {
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
JpegResult runDecode(jpeg_decompress_struct& info, const unsigned char* bytes, size_t size,
                     JpegProperties& p, JpegColor* color) {
    jpeg_mem_src(&info, bytes, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (!color) {
        return decodeRows(info, p);
    }
    p.jpgWidth = static_cast<int>(info.image_width);
    p.jpgHeight = static_cast<int>(info.image_height);
    p.jpgChannels = info.num_components;
    *color = colorOf(info.jpeg_color_space);
    return JpegResult::Ok;
}

// The header alone with `color`, the whole picture into p's DIB without.
JpegResult decode(const unsigned char* bytes, size_t size, JpegProperties& p, JpegColor* color) {
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
    JpegResult result = runDecode(info, bytes, size, p, color);
    jpeg_destroy_decompress(&info);
    return result;
}

}  // namespace

bool readHeader(const unsigned char* bytes, size_t size, JpegProperties& properties,
                JpegColor& color) {
    return decode(bytes, size, properties, &color) == JpegResult::Ok;
}

JpegResult readRows(const unsigned char* bytes, size_t size, JpegProperties& properties) {
    return decode(bytes, size, properties, nullptr);
}

}  // namespace platform::jpeg_decoder
