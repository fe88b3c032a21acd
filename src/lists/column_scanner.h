// Reads the columns of one list row as the show's lists have always been read: any run of
// white space separates columns (none is needed after a number), a word is a run of
// non-blank characters, numbers are decimals in the C locale whatever the program's locale.
#pragma once

#include <string>
#include <string_view>

class ColumnScanner {
public:
    explicit ColumnScanner(std::string_view text) : text_(text) {}

    // False, with nothing consumed but blanks, when the column is missing or not a number.
    bool word(std::string& out);
    // Single precision, as the rows are held; a value beyond its range is not a number.
    bool number(float& out);
    bool number(double& out);
    // Only blanks are left.
    bool atEnd();
    // Where the next column's text begins (after atEnd()) or the last one ended.
    size_t position() const { return pos_; }
    std::string_view text() const { return text_; }

private:
    void skipBlanks();

    std::string_view text_;
    size_t pos_ = 0;
};
