// Where the generator writes: creates directories and writes whole files, counting bytes.
// Safe to share between producer threads; the first failure is kept for the final report.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace gen {

class OutputDirectory {
public:
    explicit OutputDirectory(std::string root);

    // Writes `bytes` to root/relativePath, creating directories; false on failure
    // (which is also recorded, see `failed`).
    bool write(const std::string& relativePath, const std::vector<uint8_t>& bytes);
    bool write(const std::string& relativePath, const std::string& text);
    // Records a failure that is not a write (a missing font, an encoder error).
    void fail(const std::string& message);

    const std::string& root() const { return root_; }
    size_t filesWritten() const { return files_; }
    uint64_t bytesWritten() const { return bytes_; }
    bool failed() const;
    // The first failure recorded, empty if none.
    std::string firstError() const;
    // Called after every successful write with the number of files written so far.
    void setObserver(std::function<void(size_t)> observer) { observer_ = std::move(observer); }

private:
    std::string root_;
    std::atomic<size_t> files_ = 0;
    std::atomic<uint64_t> bytes_ = 0;
    mutable std::mutex mutex_;
    std::string error_;
    std::function<void(size_t)> observer_;
};

}  // namespace gen
