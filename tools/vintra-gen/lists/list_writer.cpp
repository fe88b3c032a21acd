#include "vintra-gen/lists/list_writer.h"

#include <cstdio>

namespace gen {

void ListWriter::comment(std::string_view text) {
    text_ += "# ";
    text_ += text;
    text_ += '\n';
}

void ListWriter::blank() {
    text_ += '\n';
}

std::string ListWriter::number(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

void ListWriter::row(const std::string& line) {
    text_ += line;
    text_ += '\n';
    ++rows_;
}

}  // namespace gen
