// A page's files never change under it: every watch is set, and none ever fires.
#include "platform/file_watch.h"

namespace platform {

FileWatch::FileWatch() : fd_(0) {}

FileWatch::~FileWatch() = default;

bool FileWatch::watchFile(const std::string&, int) {
    return true;
}

bool FileWatch::watchSuffix(const std::string&, const std::string&, int) {
    return true;
}

std::vector<int> FileWatch::saved() {
    return {};
}

}  // namespace platform
