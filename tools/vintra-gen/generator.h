// Runs the data set's producers into one directory on up to two threads, shows a progress
// line, and marks the directory complete only when every file was written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vintra-gen/producers.h"

namespace gen {

class Generator {
public:
    Generator(std::string root, std::vector<Producer> producers);

    void setThreads(int threads) { threads_ = threads < 1 ? 1 : threads; }
    void setProgress(bool shown) { progress_ = shown; }

    // Writes everything and then the marker ".complete"; false (see `error`) on any failure.
    bool run();

    const std::string& error() const { return error_; }
    size_t filesWritten() const { return files_; }
    uint64_t bytesWritten() const { return bytes_; }

    static constexpr const char* kMarker = ".complete";

private:
    bool prepare();

    std::string root_;
    std::vector<Producer> producers_;
    int threads_ = 2;
    bool progress_ = false;
    std::string error_;
    size_t files_ = 0;
    uint64_t bytes_ = 0;
};

}  // namespace gen
