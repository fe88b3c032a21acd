// The list files' line reader: lines of at most 1023 characters through a 1024-byte
// buffer (a longer line arrives in pieces, each taken as a line), comment lines skipped.
// Counts lines, so that a row the reader skips can be reported by file and line.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class ListLines {
public:
    static constexpr int kBufferSize = 1024;
    // Told of every row a reader skips (not blank lines), with the reason in a few words.
    static std::function<void(const char* path, int line, const char* text,
                              const std::string& reason)>
        reportSkipped;

    // How a skipped row is said: "FILE:LINE: row skipped (REASON): ROW", the row without
    // its line end and control characters but tabs shown as '?'.
    static std::string skipLine(const std::string& file, int line, std::string_view text,
                                const std::string& reason);

    // `text` is the whole file and must outlive the reader; `path` names it in reports.
    explicit ListLines(std::string_view text, const char* path = nullptr);

    // The next line that is not a comment (first character '#'), or null at the end. The
    // line ends at a NUL byte, as a C string read from the file would.
    const char* next();
    // The reader could not use the line that next() returned last, for `reason`.
    void skipped(const std::string& reason) const;
    // The line of the file where the last piece began, counting from 1.
    int lineNumber() const { return lineNumber_; }
    // "FILE:LINE" of the last line, the file named as it is on disk.
    std::string origin() const { return name_ + ":" + std::to_string(lineNumber_); }

private:
    // Copies the next piece (through its line end, at most 1023 bytes) into the buffer.
    bool readPiece();

    std::string_view text_;
    size_t offset_ = 0;
    const char* path_;
    std::string name_;  // looked up on disk once, not for every row
    int lineNumber_ = 0;
    bool atLineStart_ = true;
    char buffer_[kBufferSize] = {};
};
