#include "lists/flash_row.h"

#include <cmath>

#include "lists/column_scanner.h"
#include "lists/column_writer.h"

std::optional<FlashRow> FlashRow::parse(std::string_view line) {
    ColumnScanner columns(line);
    FlashRow row;
    float kind = 0;
    float unit = 0;
    if (!(columns.number(row.start) && columns.number(row.fadeIn) && columns.number(row.hold) &&
          columns.number(row.fadeOut) && columns.number(row.peak) && columns.number(kind) &&
          columns.number(unit))) {
        return std::nullopt;
    }
    // Kinds beyond the int range are white, like every kind but 1.
    row.kind = std::fabs(kind) < 1e9f ? static_cast<int>(kind) : kWhite;
    row.beats = unit > 0;
    return row;
}

std::string FlashRow::write() const {
    ColumnWriter columns('\t');
    for (double v : {start, fadeIn, hold, fadeOut, peak}) {
        columns.number(v);
    }
    return columns.number(kind).flag(beats).text();
}
