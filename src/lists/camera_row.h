// One row of the camera cut list: position file, start, end, move time and the time unit,
// tab-separated. The show's camera list reads it, the generator writes it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "lists/list_column.h"

struct CameraRow {
    std::string file = {};  // a position file name without blanks, in the cameras directory
    double start = 0.0;
    double end = 0.0;
    double moveTime = 0.0;  // the flight along the path, from the start
    // Times in beats of 0.48 s (unit column greater than 0) or in seconds.
    bool beats = true;

    // Null unless the line holds five columns, all but the first numbers; columns after
    // the fifth are ignored.
    static std::optional<CameraRow> parse(std::string_view line);
    // The row without its line end; numbers as "%g".
    std::string write() const;

    // The columns in order, as parse reads them.
    static constexpr std::array<ListColumn, 5> kColumns{
        {{"position file", ListColumn::Kind::Word}, {"start"}, {"end"}, {"move time"}, {"unit"}}};

    bool operator==(const CameraRow&) const = default;
};
