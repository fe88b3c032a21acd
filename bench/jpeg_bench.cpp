// Decoding speed of 256 × 256 JPEGs into the readers' RGB pixels (no GL).
#include <benchmark/benchmark.h>
#include <jpeglib.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "image/jpg_image.h"
#include "shell/log_window.h"

namespace {

constexpr int kSide = 256;
constexpr int kPictures = 100;

// A smooth pattern with some detail, different for every picture, at quality 90.
std::vector<unsigned char> encodePicture(int index) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = kSide;
    info.image_height = kSide;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<unsigned char> row(kSide * 3);
    while (info.next_scanline < info.image_height) {
        int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < kSide; ++x) {
            double wave = std::sin((x + index * 7) * 0.05) * std::cos(y * 0.07 + index);
            row[x * 3] = static_cast<unsigned char>(128 + 120 * wave);
            row[x * 3 + 1] = static_cast<unsigned char>((x * y + index) & 0xFF);
            row[x * 3 + 2] = static_cast<unsigned char>((x ^ y) + index);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<unsigned char> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

void BM_DecodeJpeg256(benchmark::State& state) {
    logWindow = new LogWindow(false);
    std::vector<std::vector<unsigned char>> pictures;
    for (int i = 0; i < kPictures; ++i) {
        pictures.push_back(encodePicture(i));
    }
    size_t next = 0;
    for (auto _ : state) {
        const auto& bytes = pictures[next++ % kPictures];
        JPGImage image;
        if (!image.loadFromMemory(bytes.data(), bytes.size())) {
            state.SkipWithError("decode failed");
        }
        benchmark::DoNotOptimize(image.data.get());
    }
    state.SetItemsProcessed(state.iterations());
}
// One iteration decodes one picture; 100 pictures cycle.
BENCHMARK(BM_DecodeJpeg256)->Unit(benchmark::kMillisecond)->Iterations(1000);

}  // namespace

BENCHMARK_MAIN();
