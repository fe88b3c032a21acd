#include "lists/list_column.h"

#include "lists/column_scanner.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The column's text from `first` to the next blank, short enough for one line, and what
// is wrong with it when that can be told.
std::string shownText(std::string_view line, size_t first) {
    size_t last = first;
    while (last < line.size() && !isBlank(line[last])) {
        ++last;
    }
    const std::string word(line.substr(first, last - first));
    std::string shown = word.size() > 20 ? word.substr(0, 20) + "..." : word;
    // "0,5": a decimal comma, which the lists never read as a number.
    std::string pointed = word;
    for (char& c : pointed) {
        c = c == ',' ? '.' : c;
    }
    float value = 0;
    ColumnScanner asPoint(pointed);
    if (pointed != word && asPoint.number(value) && asPoint.atEnd()) {
        shown += "; the lists take a decimal point, not a comma: " + pointed;
    }
    return shown;
}

}  // namespace

std::string ListColumn::faultIn(std::span<const ListColumn> columns, std::string_view line) {
    ColumnScanner scanner(line);
    size_t numberStart = std::string_view::npos;  // where the number just read began
    size_t numberEnd = std::string_view::npos;    // and where it ended
    for (size_t i = 0; i < columns.size(); ++i) {
        const ListColumn& column = columns[i];
        if (scanner.atEnd()) {
            return std::to_string(i) + " of " + std::to_string(columns.size()) + " columns, no " +
                   column.name;
        }
        const size_t start = scanner.position();
        if (column.kind == Kind::Word) {
            std::string ignored;
            scanner.word(ignored);
            numberEnd = std::string_view::npos;
        } else if (float ignored = 0; !scanner.number(ignored)) {
            // No blank since the number before: that number was read from the front of
            // its column ("0" of "0,5"), and it is that column that is written wrong.
            if (start == numberEnd) {
                return std::string(columns[i - 1].name) +
                       " is not a number: " + shownText(line, numberStart);
            }
            return std::string(column.name) + " is not a number: " + shownText(line, start);
        } else {
            numberStart = start;
            numberEnd = scanner.position();
        }
    }
    return {};
}
