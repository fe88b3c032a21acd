// One row of a tag list: image, start, fade-in, hold, fade-out, x, y, z, rotation (degrees),
// peak, z drift (per second) and the time unit, tab-separated. The show's tag lists read it,
// the generator writes it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "lists/list_column.h"

struct TagRow {
    // In x, y, z, rotation, peak or drift: the reader picks a random value.
    static constexpr double kRandom = 666.0;

    std::string image = {};  // a file name without blanks, joined to the list's directory
    double start = 0.0;
    double fadeIn = 0.0;
    double hold = 0.0;
    double fadeOut = 0.0;
    double x = 0.0;
    double y = 0.0;
    double z = -2.5;
    double rotation = 0.0;
    double peak = 1.0;
    double drift = 0.0;  // never scaled by the unit
    // Start and fades in beats of 0.48 s (unit column greater than 0) or in seconds.
    bool beats = true;

    // Null unless the line holds twelve columns, all but the first numbers; columns after
    // the twelfth are ignored. Numbers are held in single precision.
    static std::optional<TagRow> parse(std::string_view line);
    // The row without its line end; numbers as "%g".
    std::string write() const;

    // The columns in order, as parse reads them.
    static constexpr std::array<ListColumn, 12> kColumns{{{"image", ListColumn::Kind::Word},
                                                          {"start"},
                                                          {"fade-in"},
                                                          {"hold"},
                                                          {"fade-out"},
                                                          {"x"},
                                                          {"y"},
                                                          {"z"},
                                                          {"rotation"},
                                                          {"peak"},
                                                          {"drift"},
                                                          {"unit"}}};

    bool operator==(const TagRow&) const = default;
};
