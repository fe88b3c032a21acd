// Where the generator writes: creates directories and writes whole files, counting bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gen {

class OutputDirectory {
  public:
    explicit OutputDirectory(std::string root);

    // Writes `bytes` to root/relativePath, creating directories; false on failure.
    bool write(const std::string& relativePath, const std::vector<uint8_t>& bytes);
    bool write(const std::string& relativePath, const std::string& text);

    const std::string& root() const { return root_; }
    size_t filesWritten() const { return files_; }
    uint64_t bytesWritten() const { return bytes_; }

  private:
    std::string root_;
    size_t files_ = 0;
    uint64_t bytes_ = 0;
};

}  // namespace gen
