// Builds one list row: columns joined by a separator, numbers as "%g" or with fixed
// decimals would print them in the C locale, whatever the program's locale.
#pragma once

#include <string>
#include <string_view>

class ColumnWriter {
public:
    explicit ColumnWriter(char separator) : separator_(separator) {}

    ColumnWriter& word(std::string_view text);
    // Six significant digits, the shortest form ("%g").
    ColumnWriter& number(double value);
    ColumnWriter& fixed(double value, int decimals);
    // 1 or 0.
    ColumnWriter& flag(bool value);

    // The row, without a line end.
    const std::string& text() const { return text_; }

private:
    void separate();

    char separator_;
    int columns_ = 0;
    std::string text_;
};
