#include "platform/pending_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/interruption.h"

namespace platform {

PendingFile::PendingFile(std::string path) : path_(std::move(path)) {}

PendingFile::~PendingFile() {
    discard();
}

bool PendingFile::open(std::string& error) {
    discard();
    struct stat existing {};
    if (stat(path_.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode)) {
        error = std::strerror(EISDIR);
        return false;
    }
    std::vector<char> name(path_.begin(), path_.end());
    const char suffix[] = ".XXXXXX";
    name.insert(name.end(), suffix, suffix + sizeof suffix);
    const int fd = mkstemp(name.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    temporary_ = name.data();
    guard_ = Interruption::guardFile(temporary_);
    // mkstemp makes the file private; the output gets the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    stream_ = fdopen(fd, "wb");
    if (stream_ == nullptr) {
        error = std::strerror(errno);
        close(fd);
        discard();
        return false;
    }
    return true;
}

void PendingFile::closeStream() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
}

bool PendingFile::commit(std::string& error) {
    if (temporary_.empty()) {
        error = "not open";
        return false;
    }
    if (stream_ != nullptr && !closeWritten(error)) {
        discard();
        return false;
    }
    if (std::rename(temporary_.c_str(), path_.c_str()) != 0) {
        error = std::strerror(errno);
        discard();
        return false;
    }
    Interruption::releaseFile(guard_);
    guard_ = -1;
    temporary_.clear();
    return true;
}

bool PendingFile::closeWritten(std::string& error) {
    errno = 0;
    const bool flushed = std::fflush(stream_) == 0 && !std::ferror(stream_);
    const int flushError = errno;
    const bool closed = std::fclose(stream_) == 0;
    const int closeError = errno;
    stream_ = nullptr;
    if (!flushed || !closed) {
        const int reason = !flushed ? flushError : closeError;
        error = std::strerror(reason != 0 ? reason : EIO);
        return false;
    }
    return true;
}

void PendingFile::discard() {
    closeStream();
    if (!temporary_.empty()) {
        unlink(temporary_.c_str());
        temporary_.clear();
    }
    Interruption::releaseFile(guard_);
    guard_ = -1;
}

}  // namespace platform
