// Small pictures of show frames for the reference-frame test and the README strip.
//   frame_compare shrink IN OUT W H   -> OUT: IN averaged down to W x H
//   frame_compare compare GOT REF OUT -> GOT shrunk to REF's size, written to OUT; prints
//                                        the worst block and where it is in the frame;
//                                        exit 1 when it differs by more than the limit
//   frame_compare psnr BIG REF DB [X Y W H]
//                                     -> the W x H region of BIG at X, Y from the top left
//                                        (all of BIG by default) shrunk to REF's size;
//                                        prints its PSNR against REF, exit 1 below DB
//   frame_compare same A B            -> A and B of one size, pixel for pixel: prints the
//                                        PSNR over the whole frame and the worst 5 x 5
//                                        block; exit 1 below 40 dB or above 8/255 there
//   frame_compare bars FRAME X Y W H  -> exit 1 unless every pixel outside that region of
//                                        FRAME is black and the region's outermost rows
//                                        and columns are mostly lit (the picture fills it)
// A difference confined to one corner (a credit card a beat off, one model's lighting)
// counts as much as one spread over the frame: no average over the whole frame dilutes it.
#include "png_pixels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

// The frame is judged block by block: a block is kBlock x kBlock pixels of the small
// picture, and the mean difference (0-255 per channel) of the worst block may not pass
// kBlockLimit. Rendering at a fixed step is software and repeatable: the same moments
// rendered twice, and with llvmpipe held to 128-bit vectors, differed by 0.00, while a
// camera a third of a unit off showed 1.8. The limit only forgives rounding elsewhere; a
// card or a layer that moves shows up in the block it touches.
constexpr int kBlock = 5;
constexpr double kBlockLimit = 1.0;

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

struct Block {
    int column = 0, row = 0;
    double difference = 0;  // mean over its pixels and channels, 0-255
};

double blockDifference(const Image& a, const Image& b, int x0, int y0) {
    const int x1 = std::min(x0 + kBlock, a.width);
    const int y1 = std::min(y0 + kBlock, a.height);
    double total = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            for (int c = 0; c < 3; ++c) {
                const size_t i = (static_cast<size_t>(y) * a.width + x) * 3 + c;
                total += std::abs(a.rgb[i] - b.rgb[i]);
            }
    return total / (static_cast<double>(x1 - x0) * (y1 - y0) * 3.0);
}

Block worstBlock(const Image& a, const Image& b) {
    Block worst;
    for (int y = 0; y < a.height; y += kBlock)
        for (int x = 0; x < a.width; x += kBlock) {
            const double d = blockDifference(a, b, x, y);
            if (d > worst.difference)
                worst = {x / kBlock, y / kBlock, d};
        }
    return worst;
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
    const Block worst = worstBlock(small, ref);
    // The block's place in the full frame, so that it can be found in the picture.
    const double scaleX = static_cast<double>(got.width) / ref.width;
    const double scaleY = static_cast<double>(got.height) / ref.height;
    const int left = static_cast<int>(worst.column * kBlock * scaleX);
    const int top = static_cast<int>(worst.row * kBlock * scaleY);
    std::printf(
        "largest block difference %.2f (limit %.1f) in block %d,%d at x %d-%d, y %d-%d "
        "of the %d x %d frame\n",
        worst.difference, kBlockLimit, worst.column, worst.row, left,
        static_cast<int>(left + kBlock * scaleX) - 1, top,
        static_cast<int>(top + kBlock * scaleY) - 1, got.width, got.height);
    return worst.difference <= kBlockLimit ? 0 : 1;
}

Image cropped(const Image& in, int left, int top, int width, int height) {
    Image out{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
    for (int y = 0; y < height; ++y) {
        const auto from = in.rgb.begin() + ((static_cast<long>(top) + y) * in.width + left) * 3;
        std::copy_n(from, width * 3, out.rgb.begin() + static_cast<long>(y) * width * 3);
    }
    return out;
}

bool parseRegion(char** argv, const Image& in, int region[4]) {
    for (int i = 0; i < 4; ++i)
        region[i] = std::atoi(argv[i]);
    return region[0] >= 0 && region[1] >= 0 && region[2] > 0 && region[3] > 0 &&
           region[0] + region[2] <= in.width && region[1] + region[3] <= in.height;
}

int psnr(int argc, char** argv) {
    if (argc != 5 && argc != 9)
        return 2;
    Image big;
    Image ref;
    int region[4] = {0, 0, 0, 0};
    if (!readPng(argv[2], big) || !readPng(argv[3], ref)) {
        std::fprintf(stderr, "cannot read %s or %s\n", argv[2], argv[3]);
        return 1;
    }
    if (argc == 9 ? !parseRegion(argv + 5, big, region)
                  : (region[2] = big.width, region[3] = big.height, false)) {
        std::fprintf(stderr, "the region lies outside %s\n", argv[2]);
        return 1;
    }
    if (region[2] < ref.width || region[3] < ref.height) {
        std::fprintf(stderr, "%s is smaller than %s\n", argv[2], argv[3]);
        return 1;
    }
    const Image small =
        shrunk(cropped(big, region[0], region[1], region[2], region[3]), ref.width, ref.height);
    double squares = 0;
    for (size_t i = 0; i < ref.rgb.size(); ++i) {
        const double d = small.rgb[i] - ref.rgb[i];
        squares += d * d;
    }
    const double mean = squares / static_cast<double>(ref.rgb.size());
    const double db = mean > 0 ? 10.0 * std::log10(255.0 * 255.0 / mean) : 99.0;
    const double limit = std::atof(argv[4]);
    std::printf("PSNR %.1f dB (limit %.1f)\n", db, limit);
    return db >= limit ? 0 : 1;
}

// Two renderings of one frame that may differ only by rounding: the GL layer's against
// fixed-function GL's.
constexpr double kSameDecibels = 40.0;
constexpr double kSameBlockLimit = 8.0;

int same(int argc, char** argv) {
    Image a;
    Image b;
    if (argc != 4 || !readPng(argv[2], a) || !readPng(argv[3], b) || a.width != b.width ||
        a.height != b.height) {
        std::fprintf(stderr, "cannot compare %s with %s pixel for pixel\n",
                     argc > 2 ? argv[2] : "?", argc > 3 ? argv[3] : "?");
        return 2;
    }
    double squares = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i) {
        const double d = a.rgb[i] - b.rgb[i];
        squares += d * d;
    }
    const double mean = squares / static_cast<double>(a.rgb.size());
    const double db = mean > 0 ? 10.0 * std::log10(255.0 * 255.0 / mean) : 99.0;
    const Block worst = worstBlock(a, b);
    std::printf("PSNR %.1f dB (limit %.0f), worst block %.2f (limit %.0f) at x %d, y %d\n", db,
                kSameDecibels, worst.difference, kSameBlockLimit, worst.column * kBlock,
                worst.row * kBlock);
    return db >= kSameDecibels && worst.difference <= kSameBlockLimit ? 0 : 1;
}

bool lit(const Image& frame, int x, int y) {
    const uint8_t* p = &frame.rgb[(static_cast<size_t>(y) * frame.width + x) * 3];
    return (p[0] | p[1] | p[2]) != 0;
}

// The share of lit pixels on the least lit of the region's four edges.
double edgeShare(const Image& frame, const int region[4]) {
    const int left = region[0], top = region[1], right = left + region[2] - 1,
              bottom = top + region[3] - 1;
    int rows[2] = {0, 0};
    int columns[2] = {0, 0};
    for (int x = left; x <= right; ++x) {
        rows[0] += lit(frame, x, top);
        rows[1] += lit(frame, x, bottom);
    }
    for (int y = top; y <= bottom; ++y) {
        columns[0] += lit(frame, left, y);
        columns[1] += lit(frame, right, y);
    }
    return std::min(static_cast<double>(std::min(rows[0], rows[1])) / region[2],
                    static_cast<double>(std::min(columns[0], columns[1])) / region[3]);
}

int bars(int argc, char** argv) {
    Image frame;
    int region[4];
    if (argc != 7 || !readPng(argv[2], frame) || !parseRegion(argv + 3, frame, region))
        return 2;
    long litOutside = 0;
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const bool inside = x >= region[0] && x < region[0] + region[2] && y >= region[1] &&
                                y < region[1] + region[3];
            litOutside += !inside && lit(frame, x, y);
        }
    }
    const double edges = edgeShare(frame, region);
    std::printf("%ld pixels outside the picture are not black; %.0f %% of its edge is lit\n",
                litOutside, edges * 100.0);
    return litOutside == 0 && edges >= 0.5 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "shrink") == 0)
        return shrink(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "compare") == 0)
        return compare(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "psnr") == 0)
        return psnr(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "same") == 0)
        return same(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "bars") == 0)
        return bars(argc, argv);
    std::fprintf(stderr,
                 "usage: frame_compare shrink IN OUT W H | compare GOT REF OUT | "
                 "psnr BIG REF DB [X Y W H] | same A B | bars FRAME X Y W H\n");
    return 2;
}
