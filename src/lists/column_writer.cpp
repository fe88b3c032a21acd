#include "lists/column_writer.h"

#include <algorithm>
#include <charconv>

void ColumnWriter::separate() {
    if (columns_++ > 0) {
        text_ += separator_;
    }
}

ColumnWriter& ColumnWriter::word(std::string_view text) {
    separate();
    text_ += text;
    return *this;
}

ColumnWriter& ColumnWriter::number(double value) {
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return word(std::string_view(buffer, static_cast<size_t>(result.ptr - buffer)));
}

ColumnWriter& ColumnWriter::fixed(double value, int decimals) {
    // The largest double takes 309 digits before the point; 17 decimals is all there is.
    char buffer[340];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed,
                                std::clamp(decimals, 0, 17));
    return word(std::string_view(buffer, static_cast<size_t>(result.ptr - buffer)));
}

ColumnWriter& ColumnWriter::flag(bool value) {
    return word(value ? "1" : "0");
}
