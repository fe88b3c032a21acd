#include "platform/path.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <vector>

namespace platform {
namespace {

bool exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

// The one entry of `directory` whose name equals `name` ignoring case; empty if none or
// if several match (then nothing is chosen for the caller).
std::string matchIgnoringCase(const std::string& directory, const std::string& name) {
    DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
    if (!dir) {
        return {};
    }
    std::string found;
    int matches = 0;
    while (dirent* entry = ::readdir(dir)) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
            found = entry->d_name;
            ++matches;
        }
    }
    ::closedir(dir);
    return matches == 1 ? found : std::string{};
}

std::vector<std::string> splitComponents(const std::string& path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '/') {
            parts.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    parts.push_back(current);
    return parts;
}

}  // namespace

std::string resolvePath(const std::string& path) {
    if (path.empty() || exists(path)) {
        return path;
    }
    auto parts = splitComponents(path);
    std::string resolved;
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        std::string candidate = resolved + part;
        bool special = part.empty() || part == "." || part == "..";
        if (!special && !exists(candidate)) {
            std::string directory = resolved.empty() ? "." : resolved;
            std::string match = matchIgnoringCase(directory, part);
            if (!match.empty()) {
                candidate = resolved + match;
            }
        }
        resolved = candidate;
        if (i + 1 < parts.size()) {
            resolved += '/';
        }
    }
    return resolved;
}

std::string pathUnder(const std::string& root, const std::string& path) {
    std::string resolved = resolvePath(path);
    while (resolved.starts_with("./")) {
        resolved.erase(0, 2);
    }
    if (resolved.starts_with('/') || root.empty() || root == ".") {
        return resolved;
    }
    return root + (root.ends_with('/') ? "" : "/") + resolved;
}

FILE* openFile(const char* path, const char* mode) {
    if (!path || !mode) {
        return nullptr;
    }
    return std::fopen(resolvePath(path).c_str(), mode);
}

bool readFile(const char* path, std::string& bytes, size_t limit) {
    FILE* file = openFile(path, "rb");
    if (!file) {
        return false;
    }
    char buffer[65536];
    size_t n;
    size_t total = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        total += n;
        if (total > limit) {
            std::fclose(file);
            return false;
        }
        bytes.append(buffer, n);
    }
    std::fclose(file);
    return true;
}

bool fileExists(const char* path) {
    return path && exists(resolvePath(path));
}

}  // namespace platform
