#include "platform/startup_picture.h"

#include <cmath>

namespace platform {

std::vector<uint8_t> startupPicture() {
    const int width = kStartupPictureWidth;
    const int height = kStartupPictureHeight;
    static const uint8_t palette[16][3] = {
        {0, 0, 0},       {20, 12, 40},    {40, 20, 80},    {70, 30, 120},
        {110, 40, 160},  {160, 50, 190},  {210, 70, 200},  {240, 110, 190},
        {250, 160, 170}, {255, 210, 150}, {255, 240, 180}, {255, 255, 255},
        {30, 90, 140},   {40, 150, 190},  {80, 210, 230},  {180, 240, 250}};
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            int index = 1 + (y * 3) / height;  // dark gradient
            double dx = x - 290.0, dy = y - 49.0;
            double r = std::sqrt(dx * dx + dy * dy);
            if (r < 40) {
                index = (static_cast<int>(r) % 6 == 0) ? 13 : 2;  // grooves
                if (r < 12)
                    index = 7;  // label
                if (r < 2)
                    index = 11;
            }
            int bar = x / 14;
            int barHeight = 10 + (bar * 37 % 60);
            if (x < 230 && x % 14 < 10 && y > height - 10 - barHeight && y < height - 8) {
                index = 4 + (height - y) * 7 / 80;
            }
            uint8_t* p = pixels.data() + (y * width + x) * 3;
            p[0] = palette[index & 15][0];
            p[1] = palette[index & 15][1];
            p[2] = palette[index & 15][2];
        }
    }
    return pixels;
}

}  // namespace platform
