// Small pictures of show frames for the reference-frame test and the README strip.
//   frame_compare shrink IN OUT W H   -> OUT: IN averaged down to W x H
//   frame_compare compare GOT REF OUT -> GOT shrunk to REF's size, written to OUT; prints
//                                        the mean difference and the share of cells that
//                                        differ; exit 1 when either is over the tolerance
// A cell average forgives Mesa's rounding and small edge shifts; a layer out of order, a
// swapped blend pair, a missing picture or a moment a beat off moves many cells a lot.
#include "png_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// Mean difference (0-255 per channel) and share of cells differing by more than
// kCellLimit that a frame may show against its reference.
constexpr double kMeanLimit = 3.0;
constexpr int kCellLimit = 40;
constexpr double kShareLimit = 0.01;

using Image = PngPixels;

bool writePng(const char* path, const Image& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&png, path, 0, image.rgb.data(), 0, nullptr) != 0;
}

// Each output pixel is the mean of the input pixels whose centres fall in its cell.
Image shrunk(const Image& in, int width, int height) {
    Image out{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y) {
        const int y0 = y * in.height / height;
        const int y1 = std::max(y0 + 1, (y + 1) * in.height / height);
        for (int x = 0; x < width; ++x) {
            const int x0 = x * in.width / width;
            const int x1 = std::max(x0 + 1, (x + 1) * in.width / width);
            double sum[3] = {0, 0, 0};
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx)
                    for (int c = 0; c < 3; ++c)
                        sum[c] += in.rgb[(static_cast<size_t>(sy) * in.width + sx) * 3 + c];
            const double count = static_cast<double>(x1 - x0) * (y1 - y0);
            for (int c = 0; c < 3; ++c)
                out.rgb[(static_cast<size_t>(y) * width + x) * 3 + c] =
                    static_cast<uint8_t>(std::lround(sum[c] / count));
        }
    }
    return out;
}

int shrink(int argc, char** argv) {
    if (argc != 6)
        return 2;
    Image in;
    const int width = std::atoi(argv[4]);
    const int height = std::atoi(argv[5]);
    if (!readPng(argv[2], in) || width <= 0 || height <= 0 || width > in.width ||
        height > in.height) {
        std::fprintf(stderr, "cannot shrink %s to %dx%d\n", argv[2], width, height);
        return 1;
    }
    return writePng(argv[3], shrunk(in, width, height)) ? 0 : 1;
}

int compare(int argc, char** argv) {
    if (argc != 5)
        return 2;
    Image got;
    Image ref;
    if (!readPng(argv[2], got) || !readPng(argv[3], ref) || ref.width > got.width ||
        ref.height > got.height || ref.width <= 0) {
        std::fprintf(stderr, "cannot compare %s with %s\n", argv[2], argv[3]);
        return 1;
    }
    const Image small = shrunk(got, ref.width, ref.height);
    writePng(argv[4], small);
    double total = 0;
    long over = 0;
    const long cells = static_cast<long>(ref.width) * ref.height;
    for (long i = 0; i < cells; ++i) {
        int worst = 0;
        for (int c = 0; c < 3; ++c) {
            const int d = std::abs(small.rgb[i * 3 + c] - ref.rgb[i * 3 + c]);
            total += d;
            worst = std::max(worst, d);
        }
        over += worst > kCellLimit;
    }
    const double mean = total / (cells * 3.0);
    const double share = static_cast<double>(over) / cells;
    std::printf(
        "mean difference %.2f (limit %.1f), %.1f %% of cells off by over %d (limit %.0f %%)\n",
        mean, kMeanLimit, share * 100.0, kCellLimit, kShareLimit * 100.0);
    return mean <= kMeanLimit && share <= kShareLimit ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "shrink") == 0)
        return shrink(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "compare") == 0)
        return compare(argc, argv);
    std::fprintf(stderr, "usage: frame_compare shrink IN OUT W H | compare GOT REF OUT\n");
    return 2;
}
