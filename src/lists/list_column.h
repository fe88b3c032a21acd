// A column of a list file's rows: its name and whether it holds a word or a number. Each row
// type lists its columns in order, so a line that is no row can be told why (the first
// column missing or not a number), and the data set's description is checked against them.
#pragma once

#include <span>
#include <string>
#include <string_view>

struct ListColumn {
    enum class Kind { Word, Number };

    const char* name;
    Kind kind = Kind::Number;

    // Why `line` is no row of these columns, in a few words; empty when it is one. Columns
    // after the last are allowed, as the readers ignore them.
    static std::string faultIn(std::span<const ListColumn> columns, std::string_view line);
};
