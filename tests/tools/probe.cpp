// Reads what the end-to-end tests need to check: the mean colour of a region of a PNG, and
// the loudness of a stretch of raw 16-bit stereo audio.
//   probe png FILE X Y W H        -> "R G B" (0-255, Y from the top)
//   probe size FILE               -> "W H"
//   probe raw FILE RATE FROM TO   -> RMS of the samples between FROM and TO seconds (0-32767)
#include "png_pixels.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using Image = PngPixels;

int regionMean(int argc, char** argv) {
    if (argc != 7)
        return 2;
    Image image;
    if (!readPng(argv[2], image))
        return 1;
    int x0 = std::atoi(argv[3]), y0 = std::atoi(argv[4]);
    int w = std::atoi(argv[5]), h = std::atoi(argv[6]);
    double sum[3] = {0, 0, 0};
    long count = 0;
    for (int y = y0; y < y0 + h && y < image.height; ++y) {
        for (int x = x0; x < x0 + w && x < image.width; ++x) {
            const uint8_t* p = &image.rgb[(static_cast<size_t>(y) * image.width + x) * 3];
            for (int c = 0; c < 3; ++c)
                sum[c] += p[c];
            ++count;
        }
    }
    if (count == 0)
        return 1;
    std::printf("%.0f %.0f %.0f\n", sum[0] / count, sum[1] / count, sum[2] / count);
    return 0;
}

int size(int argc, char** argv) {
    if (argc != 3)
        return 2;
    Image image;
    if (!readPng(argv[2], image))
        return 1;
    std::printf("%d %d\n", image.width, image.height);
    return 0;
}

int rawLoudness(int argc, char** argv) {
    if (argc != 6)
        return 2;
    FILE* file = std::fopen(argv[2], "rb");
    if (!file)
        return 1;
    const double rate = std::atof(argv[3]);
    const long from = static_cast<long>(std::atof(argv[4]) * rate) * 4;
    const long to = static_cast<long>(std::atof(argv[5]) * rate) * 4;
    std::fseek(file, from, SEEK_SET);
    double sum = 0;
    long count = 0;
    int16_t frame[2];
    for (long at = from; at < to && std::fread(frame, sizeof frame, 1, file) == 1; at += 4) {
        sum += static_cast<double>(frame[0]) * frame[0] + static_cast<double>(frame[1]) * frame[1];
        count += 2;
    }
    std::fclose(file);
    std::printf("%.1f\n", count ? std::sqrt(sum / count) : 0.0);
    return count ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "png") == 0)
        return regionMean(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "size") == 0)
        return size(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "raw") == 0)
        return rawLoudness(argc, argv);
    std::fprintf(stderr, "usage: probe png FILE X Y W H | size FILE | raw FILE RATE FROM TO\n");
    return 2;
}
