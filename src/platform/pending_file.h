// An output file written under a temporary name beside its final one and renamed into
// place when complete, so a reader never sees half of it. Until then a signal, a failure or
// the destructor removes the temporary file.
#pragma once

#include <cstdio>
#include <string>

namespace platform {

class PendingFile {
public:
    explicit PendingFile(std::string path);
    ~PendingFile();
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;

    // Creates the temporary file; false with the reason in `error`.
    bool open(std::string& error);
    // Open for writing after `open`.
    FILE* stream() const { return stream_; }
    // For writers that open the file by name themselves (FFmpeg): the temporary name, and
    // the stream closed without giving up the file.
    const std::string& temporaryPath() const { return temporary_; }
    void closeStream();
    // Closes the temporary file (if its stream is still open) and renames it over the final
    // name; false with the reason (the temporary file is then removed).
    bool commit(std::string& error);
    // Removes the temporary file, if any.
    void discard();

    const std::string& path() const { return path_; }

private:
    // Flushes and closes the stream; false with the reason.
    bool closeWritten(std::string& error);

    std::string path_;
    std::string temporary_;
    FILE* stream_ = nullptr;
    int guard_ = -1;
};

}  // namespace platform
