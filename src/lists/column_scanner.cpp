#include "lists/column_scanner.h"

#include <charconv>
#include <system_error>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

void ColumnScanner::skipBlanks() {
    while (pos_ < text_.size() && isBlank(text_[pos_])) {
        ++pos_;
    }
}

bool ColumnScanner::atEnd() {
    skipBlanks();
    return pos_ >= text_.size();
}

bool ColumnScanner::word(std::string& out) {
    skipBlanks();
    const size_t first = pos_;
    while (pos_ < text_.size() && !isBlank(text_[pos_])) {
        ++pos_;
    }
    if (pos_ == first) {
        return false;
    }
    out.assign(text_.substr(first, pos_ - first));
    return true;
}

bool ColumnScanner::number(float& out) {
    skipBlanks();
    const char* digits = text_.data() + pos_;
    const char* last = text_.data() + text_.size();
    // from_chars takes no leading '+', which a scanned "%f" accepts.
    if (digits < last && *digits == '+' && digits + 1 < last && digits[1] != '-' &&
        digits[1] != '+') {
        ++digits;
    }
    float value = 0;
    auto [end, error] = std::from_chars(digits, last, value, std::chars_format::general);
    if (error != std::errc()) {
        return false;
    }
    pos_ = static_cast<size_t>(end - text_.data());
    out = value;
    return true;
}

bool ColumnScanner::number(double& out) {
    float value = 0;
    if (!number(value)) {
        return false;
    }
    out = value;
    return true;
}
