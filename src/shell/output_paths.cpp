#include "shell/output_paths.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "shell/options.h"

namespace fs = std::filesystem;

OutputPaths::OutputPaths() {
    std::error_code error;
    startDirectory_ = fs::current_path(error).string();
}

std::string OutputPaths::absolute(const std::string& name) const {
    if (name.empty() || name.front() == '/' || startDirectory_.empty()) {
        return name;
    }
    return (fs::path(startDirectory_) / name).lexically_normal().string();
}

void OutputPaths::resolve(Options& options) const {
    for (std::string* file : {&options.shotFile, &options.captureFile, &options.chartFile,
                              &options.csvFile, &options.svgFile}) {
        *file = absolute(*file);
    }
    for (auto& shot : options.shots) {
        shot.file = absolute(shot.file);
    }
}

bool OutputPaths::checkShotTarget(const std::string& file, std::string& error) {
    const fs::path path(file);
    const fs::path directory = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::error_code status;
    if (fs::is_directory(path, status)) {
        error = "cannot write " + file + ": " + std::strerror(EISDIR);
        return false;
    }
    if (access(directory.c_str(), W_OK | X_OK) != 0) {
        error = "cannot write " + file + ": " + directory.string() + ": " + std::strerror(errno);
        return false;
    }
    if (access(path.c_str(), F_OK) == 0 && access(path.c_str(), W_OK) != 0) {
        error = "cannot write " + file + ": " + std::strerror(errno);
        return false;
    }
    return true;
}
