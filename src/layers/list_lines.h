// The list files' line reader: lines of at most 1023 characters through a 1024-byte
// buffer (a longer line arrives in pieces, each taken as a line), comment lines skipped.
#pragma once

#include <cstdio>

class ListLines {
public:
    static constexpr int kBufferSize = 1024;

    explicit ListLines(FILE* file) : file_(file) {}

    // The next line that is not a comment (first character '#'), or null at the end.
    const char* next();

private:
    FILE* file_;
    char buffer_[kBufferSize];
};
