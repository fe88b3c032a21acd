// Writes one of the show's text lists: comment lines ('#'), blank lines and rows of its
// format (the row type with `write` that the show's reader parses).
#pragma once

#include <string>
#include <string_view>

namespace gen {

template <class Row>
class ListWriter {
public:
    void comment(std::string_view text) {
        text_ += "# ";
        text_ += text;
        text_ += '\n';
    }
    void blank() { text_ += '\n'; }
    void add(const Row& row) {
        text_ += row.write();
        text_ += '\n';
        ++rows_;
    }
    const std::string& text() const { return text_; }
    int rows() const { return rows_; }

private:
    std::string text_;
    int rows_ = 0;
};

}  // namespace gen
