#include "platform/file_watch.h"

#include <strings.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/path.h"

namespace platform {
namespace {

// Closed after writing (truncate-and-write) or renamed into place (write-and-rename); a
// plain modification is not a finished save.
constexpr uint32_t kSaveEvents = IN_CLOSE_WRITE | IN_MOVED_TO;

// Built from fresh strings: assigning a literal here trips GCC 12's -Wrestrict at -O3.
void splitPath(const std::string& path, std::string& directory, std::string& name) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        directory = std::string(1, '.');
        name = path;
        return;
    }
    directory = slash == 0 ? std::string(1, '/') : std::string(path, 0, slash);
    name = std::string(path, slash + 1);
}

}  // namespace

FileWatch::FileWatch() : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}

FileWatch::~FileWatch() {
    if (fd_ >= 0)
        ::close(fd_);
}

int FileWatch::watchDirectory(const std::string& directory) {
    if (fd_ < 0)
        return -1;
    // The same directory under another spelling yields the same descriptor.
    return ::inotify_add_watch(fd_, resolvePath(directory).c_str(), kSaveEvents | IN_ONLYDIR);
}

bool FileWatch::watchFile(const std::string& path, int key) {
    std::string directory, name;
    splitPath(resolvePath(path), directory, name);
    const int watch = watchDirectory(directory);
    if (watch < 0 || name.empty())
        return false;
    rules_.push_back({watch, name, false, key});
    return true;
}

bool FileWatch::watchSuffix(const std::string& directory, const std::string& suffix, int key) {
    const int watch = watchDirectory(directory);
    if (watch < 0)
        return false;
    rules_.push_back({watch, suffix, true, key});
    return true;
}

std::vector<int> FileWatch::saved() {
    std::vector<int> keys;
    if (fd_ < 0)
        return keys;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t length = ::read(fd_, buffer, sizeof buffer);
        if (length <= 0)
            break;  // EAGAIN: nothing more queued
        for (ssize_t offset = 0; offset + static_cast<ssize_t>(sizeof(inotify_event)) <= length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            if ((event->mask & kSaveEvents) && event->len > 0)
                collect(event->wd, event->name, keys);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return keys;
}

}  // namespace platform
