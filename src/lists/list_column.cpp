#include "lists/list_column.h"

#include "lists/column_scanner.h"

namespace {

// The text of the column that failed, short enough for one line.
std::string nextWord(ColumnScanner& columns) {
    std::string word;
    columns.word(word);
    return word.size() > 20 ? word.substr(0, 20) + "..." : word;
}

}  // namespace

std::string ListColumn::faultIn(std::span<const ListColumn> columns, std::string_view line) {
    ColumnScanner scanner(line);
    for (size_t i = 0; i < columns.size(); ++i) {
        const ListColumn& column = columns[i];
        if (scanner.atEnd()) {
            return std::to_string(i) + " of " + std::to_string(columns.size()) + " columns, no " +
                   column.name;
        }
        if (column.kind == Kind::Word) {
            std::string ignored;
            scanner.word(ignored);
        } else if (float ignored = 0; !scanner.number(ignored)) {
            return std::string(column.name) + " is not a number: " + nextWord(scanner);
        }
    }
    return {};
}
