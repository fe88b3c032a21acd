// A page's files never change under it: no watch can be set.
#include "platform/file_watch.h"

namespace platform {

FileWatch::FileWatch() = default;

FileWatch::~FileWatch() = default;

bool FileWatch::watchFile(const std::string&, int) {
    return false;
}

bool FileWatch::watchSuffix(const std::string&, const std::string&, int) {
    return false;
}

std::vector<int> FileWatch::saved() {
    return {};
}

}  // namespace platform
