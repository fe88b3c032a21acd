// Test pictures written on the fly: BMP files byte by byte and JPEG files through
// libjpeg, plus a reference decode to compare the readers against.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace test_images {

struct Rgb {
    uint8_t r, g, b;
};
using Picture = std::function<Rgb(int x, int y)>;

inline void put32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline void put16(std::vector<uint8_t>& out, size_t at, unsigned value) {
    out[at] = static_cast<uint8_t>(value);
    out[at + 1] = static_cast<uint8_t>(value >> 8);
}

struct BmpOptions {
    unsigned planes = 1;
    unsigned bpp = 24;
    uint32_t pixelOffset = 54;
};

// A BMP whose stored rows (file order, padded to four bytes) are pixel(x, row).
inline std::vector<uint8_t> bmpBytes(int32_t width, int32_t height, const Picture& pixel,
                                     BmpOptions options = {}) {
    std::vector<uint8_t> out(54, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 10, options.pixelOffset);
    put32(out, 14, 40);
    put32(out, 18, static_cast<uint32_t>(width));
    put32(out, 22, static_cast<uint32_t>(height));
    put16(out, 26, options.planes);
    put16(out, 28, options.bpp);
    if (width <= 0 || height <= 0 || width > 4096 || height > 4096)
        return out;
    size_t stride = (size_t(width) * 3 + 3) & ~size_t{3};
    for (int y = 0; y < height; ++y) {
        std::vector<uint8_t> row(stride, 0);
        for (int x = 0; x < width; ++x) {
            Rgb c = pixel(x, y);
            row[x * 3] = c.b;
            row[x * 3 + 1] = c.g;
            row[x * 3 + 2] = c.r;
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    put32(out, 2, static_cast<uint32_t>(out.size()));
    return out;
}

// A baseline JPEG at quality 100 without chroma subsampling.
inline std::vector<uint8_t> jpegBytes(int width, int height, const Picture& pixel,
                                      int components = 3) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 100, TRUE);
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    std::vector<uint8_t> row(size_t(width) * components);
    while (info.next_scanline < info.image_height) {
        int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            Rgb c = pixel(x, y);
            if (components == 1) {
                row[x] = c.g;
            } else {
                row[x * 3] = c.r;
                row[x * 3 + 1] = c.g;
                row[x * 3 + 2] = c.b;
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

// libjpeg's own decode to top-down RGB rows, packed.
inline std::vector<uint8_t> referenceRgb(const std::vector<uint8_t>& jpeg) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, jpeg.data(), jpeg.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    size_t row = size_t(info.output_width) * 3;
    std::vector<uint8_t> out(row * info.output_height);
    while (info.output_scanline < info.output_height) {
        JSAMPROW rows[1] = {out.data() + row * info.output_scanline};
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return out;
}

// A file in the test's temporary directory, removed when the object goes.
class TempFile {
public:
    explicit TempFile(const std::string& name, const std::vector<uint8_t>& bytes = {})
        : path_(::testing::TempDir() + "tarvel_" + std::to_string(::getpid()) + "_" + name) {
        write(bytes);
    }
    ~TempFile() { std::remove(path_.c_str()); }
    void write(const std::vector<uint8_t>& bytes) const {
        FILE* file = std::fopen(path_.c_str(), "wb");
        if (!file)
            return;
        if (!bytes.empty())
            std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    void writeText(const std::string& text) const {
        write(std::vector<uint8_t>(text.begin(), text.end()));
    }
    const char* path() const { return path_.c_str(); }

private:
    std::string path_;
};

}  // namespace test_images
