// One position of a camera position file (".pos"): eye, look-at point and up vector, nine
// numbers. The camera reads and records them, the generator writes the show's flights.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct PositionRow {
    struct Point {
        double x = 0.0;
        double y = 0.0;
        double z = 0.0;
        bool operator==(const Point&) const = default;
    };

    Point eye;
    Point target;
    Point up;

    // Every complete group of nine numbers in the text, however they are spread over lines;
    // a trailing incomplete group is ignored. Reading stops at the first thing that is not
    // a number (text, or a value beyond single precision), keeping the groups before it.
    static std::vector<PositionRow> parse(std::string_view text);
    // One line's worth, without its line end: nine numbers with two decimals.
    std::string write() const;

    bool operator==(const PositionRow&) const = default;
};
