#include "vintra-gen/output_directory.h"

#include <filesystem>
#include <fstream>

namespace gen {

OutputDirectory::OutputDirectory(std::string root) : root_(std::move(root)) {}

bool OutputDirectory::write(const std::string& relativePath, const std::vector<uint8_t>& bytes) {
    std::filesystem::path path = std::filesystem::path(root_) / relativePath;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        return false;
    }
    ++files_;
    bytes_ += bytes.size();
    return true;
}

bool OutputDirectory::write(const std::string& relativePath, const std::string& text) {
    return write(relativePath, std::vector<uint8_t>(text.begin(), text.end()));
}

}  // namespace gen
