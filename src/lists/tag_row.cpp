#include "lists/tag_row.h"

#include "lists/column_scanner.h"
#include "lists/column_writer.h"

std::optional<TagRow> TagRow::parse(std::string_view line) {
    ColumnScanner columns(line);
    TagRow row;
    float unit = 0;
    if (!(columns.word(row.image) && columns.number(row.start) && columns.number(row.fadeIn) &&
          columns.number(row.hold) && columns.number(row.fadeOut) && columns.number(row.x) &&
          columns.number(row.y) && columns.number(row.z) && columns.number(row.rotation) &&
          columns.number(row.peak) && columns.number(row.drift) && columns.number(unit))) {
        return std::nullopt;
    }
    row.beats = unit > 0;
    return row;
}

std::string TagRow::write() const {
    ColumnWriter columns('\t');
    columns.word(image);
    for (double v : {start, fadeIn, hold, fadeOut, x, y, z, rotation, peak, drift}) {
        columns.number(v);
    }
    return columns.flag(beats).text();
}
