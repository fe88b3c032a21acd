// A page's files change only when its author drops one on it: the page writes the file into
// the file system and says so (tarvel_file_saved), and every watch hears of that save as
// it would of an editor's. A watched directory is known by its resolved, absolute path.
#include <emscripten/emscripten.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/file_watch.h"
#include "platform/path.h"

namespace platform {
namespace {

// The "descriptors" of watched directories: indexes into this list.
std::vector<std::string> directories;
// The saves each live watch has yet to hear of.
std::map<const FileWatch*, std::vector<std::string>> pendingSaves;

// Absolute, without "." components or a trailing slash, as found ignoring case.
std::string absolute(const std::string& path) {
    std::string resolved = resolvePath(path);
    if (resolved.empty() || resolved[0] != '/') {
        char cwd[1024];
        resolved = std::string(::getcwd(cwd, sizeof cwd) ? cwd : "") + "/" + resolved;
    }
    std::string out;
    size_t at = 0;
    while (at <= resolved.size()) {
        size_t slash = resolved.find('/', at);
        if (slash == std::string::npos)
            slash = resolved.size();
        const std::string part = resolved.substr(at, slash - at);
        if (!part.empty() && part != ".")
            out += "/" + part;
        at = slash + 1;
    }
    return out.empty() ? "/" : out;
}

void splitPath(const std::string& path, std::string& directory, std::string& name) {
    const size_t slash = path.rfind('/');
    directory = slash == 0 ? std::string(1, '/') : path.substr(0, slash);
    name = path.substr(slash + 1);
}

int directoryIndex(const std::string& directory, bool add) {
    for (size_t i = 0; i < directories.size(); ++i) {
        if (::strcasecmp(directories[i].c_str(), directory.c_str()) == 0)
            return static_cast<int>(i);
    }
    if (!add)
        return -1;
    directories.push_back(directory);
    return static_cast<int>(directories.size() - 1);
}

}  // namespace

FileWatch::FileWatch() : fd_(0) {
    pendingSaves[this];
}

FileWatch::~FileWatch() {
    pendingSaves.erase(this);
}

int FileWatch::watchDirectory(const std::string& directory) {
    return directoryIndex(absolute(directory), true);
}

bool FileWatch::watchFile(const std::string& path, int key) {
    std::string directory, name;
    splitPath(absolute(path), directory, name);
    if (name.empty())
        return false;
    rules_.push_back({watchDirectory(directory), name, false, key});
    return true;
}

bool FileWatch::watchSuffix(const std::string& directory, const std::string& suffix, int key) {
    rules_.push_back({watchDirectory(directory), suffix, true, key});
    return true;
}

std::vector<int> FileWatch::saved() {
    std::vector<int> keys;
    std::vector<std::string>& saves = pendingSaves[this];
    for (const std::string& path : saves) {
        std::string directory, name;
        splitPath(path, directory, name);
        const int index = directoryIndex(directory, false);
        if (index >= 0)
            collect(index, name.c_str(), keys);
    }
    saves.clear();
    return keys;
}

}  // namespace platform

// The page has written `path` (an author's file dropped on it) into the file system.
extern "C" EMSCRIPTEN_KEEPALIVE void tarvel_file_saved(const char* path) {
    const std::string saved = platform::absolute(path);
    for (auto& [watch, saves] : platform::pendingSaves)
        saves.push_back(saved);
}
