#include "lists/position_row.h"

#include "lists/column_scanner.h"
#include "lists/column_writer.h"

namespace {

bool readPoint(ColumnScanner& columns, PositionRow::Point& p) {
    return columns.number(p.x) && columns.number(p.y) && columns.number(p.z);
}

}  // namespace

std::vector<PositionRow> PositionRow::parse(std::string_view text) {
    std::vector<PositionRow> rows;
    ColumnScanner columns(text);
    PositionRow row;
    while (readPoint(columns, row.eye) && readPoint(columns, row.target) &&
           readPoint(columns, row.up)) {
        rows.push_back(row);
    }
    return rows;
}

std::string PositionRow::write() const {
    ColumnWriter columns(' ');
    for (const Point& p : {eye, target, up}) {
        columns.fixed(p.x, 2).fixed(p.y, 2).fixed(p.z, 2);
    }
    return columns.text();
}
