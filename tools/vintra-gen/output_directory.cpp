#include "vintra-gen/output_directory.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace gen {

OutputDirectory::OutputDirectory(std::string root) : root_(std::move(root)) {}

bool OutputDirectory::write(const std::string& relativePath, const std::vector<uint8_t>& bytes) {
    std::filesystem::path path = std::filesystem::path(root_) / relativePath;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (out) {
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.close();
    }
    if (!out) {
        int code = errno;
        fail("cannot write " + path.string() + ": " +
             (error ? error.message() : std::string(std::strerror(code))));
        return false;
    }
    size_t files = ++files_;
    bytes_ += bytes.size();
    if (observer_) {
        std::lock_guard<std::mutex> lock(mutex_);
        observer_(files);
    }
    return true;
}

bool OutputDirectory::write(const std::string& relativePath, const std::string& text) {
    return write(relativePath, std::vector<uint8_t>(text.begin(), text.end()));
}

void OutputDirectory::fail(const std::string& message) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (error_.empty()) {
        error_ = message;
    }
}

bool OutputDirectory::failed() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return !error_.empty();
}

std::string OutputDirectory::firstError() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return error_;
}

}  // namespace gen
