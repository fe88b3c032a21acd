// Writes camera position files (.pos): one position per line, eye, look-at point and up
// vector as nine numbers with two decimals (the show's position row).
#pragma once

#include <string>

namespace gen {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

class CameraPathWriter {
public:
    void add(Vec3 eye, Vec3 target, Vec3 up);
    const std::string& text() const { return text_; }
    int positions() const { return positions_; }

private:
    std::string text_;
    int positions_ = 0;
};

}  // namespace gen
