// The list readers' shared steps: the heading in the log and the file read whole (or the
// text given from memory), each line that parses as a row handed on with where it came
// from, every other line but comments and blanks reported as skipped by file and line, and
// "Read N rows." at the end.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/log.h"
#include "layers/list_lines.h"
#include "lists/list_column.h"

class ListReader {
public:
    // Logs "<heading><shown>" and reads the file at `path`. Null, after logging
    // "File Not Found : <shown>", when it cannot be opened.
    static std::optional<std::string> open(const char* path, const char* heading,
                                           const std::string& shown);

    // Hands each row of the list text to `take` (const Row&, origin "FILE:LINE") in order;
    // `take` says whether the row counts. Returns the count it logs.
    template <class Row, class Take>
    static int readRows(std::string_view text, const char* path, Take&& take) {
        ListLines lines(text, path);
        int rows = 0;
        while (const char* line = lines.next()) {
            if (std::optional<Row> row = Row::parse(line)) {
                rows += take(*row, lines.origin()) ? 1 : 0;
            } else {
                lines.skipped(ListColumn::faultIn(Row::kColumns, line));
            }
        }
        logWindow->print("Read %d rows.", rows);
        return rows;
    }
};
