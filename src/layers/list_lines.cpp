#include "layers/list_lines.h"

#include <algorithm>
#include <cstring>

#include "platform/path.h"

std::function<void(const char*, int, const char*, const std::string&)> ListLines::reportSkipped;

bool ListLines::readPiece() {
    if (offset_ >= text_.size()) {
        return false;
    }
    const size_t limit = std::min(text_.size() - offset_, static_cast<size_t>(kBufferSize - 1));
    std::string_view rest = text_.substr(offset_, limit);
    const size_t newline = rest.find('\n');
    const size_t length = newline == std::string_view::npos ? limit : newline + 1;
    std::memcpy(buffer_, rest.data(), length);
    buffer_[length] = '\0';
    offset_ += length;
    return true;
}

const char* ListLines::next() {
    while (readPiece()) {
        if (atLineStart_) {
            ++lineNumber_;
        }
        const size_t length = std::strlen(buffer_);
        atLineStart_ = length > 0 && buffer_[length - 1] == '\n';
        if (buffer_[0] != '#') {
            return buffer_;
        }
    }
    return nullptr;
}

ListLines::ListLines(std::string_view text, const char* path)
    : text_(text), path_(path), name_(path ? platform::resolvePath(path) : "") {
    if (name_.starts_with("./")) {
        name_.erase(0, 2);
    }
}

std::string ListLines::skipLine(const std::string& file, int line, std::string_view text,
                                const std::string& reason) {
    const std::string_view row = text.substr(0, std::min(text.find_first_of("\r\n"), text.size()));
    std::string said =
        file + ":" + std::to_string(line) + ": row skipped (" + reason + "): " + std::string(row);
    // A list is any bytes: none of them may steer the terminal the line is shown on.
    for (char& c : said) {
        if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f) {
            c = '?';
        }
    }
    return said;
}

void ListLines::skipped(const std::string& reason) const {
    if (!reportSkipped || buffer_[std::strspn(buffer_, " \t\r\n")] == '\0') {
        return;
    }
    reportSkipped(path_ ? path_ : "", lineNumber_, buffer_, reason);
}
