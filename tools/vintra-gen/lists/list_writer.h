// Common part of the show's text list writers: comment lines ('#'), blank lines and the
// assembled text. Numbers are written in the C locale's shortest form.
#pragma once

#include <string>
#include <string_view>

namespace gen {

class ListWriter {
public:
    void comment(std::string_view text);
    void blank();
    const std::string& text() const { return text_; }
    int rows() const { return rows_; }

    // "%g" of a number, the form every list column uses.
    static std::string number(double value);

protected:
    void row(const std::string& line);

private:
    std::string text_;
    int rows_ = 0;
};

}  // namespace gen
