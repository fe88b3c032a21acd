#include "lists/camera_row.h"

#include "lists/column_scanner.h"
#include "lists/column_writer.h"

std::optional<CameraRow> CameraRow::parse(std::string_view line) {
    ColumnScanner columns(line);
    CameraRow row;
    float unit = 0;
    if (!(columns.word(row.file) && columns.number(row.start) && columns.number(row.end) &&
          columns.number(row.moveTime) && columns.number(unit))) {
        return std::nullopt;
    }
    row.beats = unit > 0;
    return row;
}

std::string CameraRow::write() const {
    ColumnWriter columns('\t');
    columns.word(file);
    for (double v : {start, end, moveTime}) {
        columns.number(v);
    }
    return columns.flag(beats).text();
}
