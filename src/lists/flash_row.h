// One row of the flash list: start, fade-in, hold, fade-out, peak, kind and the time unit,
// tab-separated. The show's flash layer reads it, the generator writes it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "lists/list_column.h"

struct FlashRow {
    static constexpr int kWhite = 0;
    static constexpr int kBlack = 1;  // every other kind is white

    double start = 0.0;
    double fadeIn = 0.0;
    double hold = 0.0;
    double fadeOut = 1.0;
    double peak = 1.0;
    int kind = kWhite;  // the column truncated towards zero
    // Start and fades in beats of 0.48 s (unit column greater than 0) or in seconds.
    bool beats = true;

    // Null unless the line holds seven numbers; columns after the seventh are ignored.
    static std::optional<FlashRow> parse(std::string_view line);
    // The row without its line end; numbers as "%g".
    std::string write() const;

    // The columns in order, as parse reads them.
    static constexpr std::array<ListColumn, 7> kColumns{
        {{"start"}, {"fade-in"}, {"hold"}, {"fade-out"}, {"peak"}, {"kind"}, {"unit"}}};

    bool operator==(const FlashRow&) const = default;
};
