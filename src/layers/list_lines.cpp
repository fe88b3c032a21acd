#include "layers/list_lines.h"

#include <cstring>

#include "platform/path.h"

std::function<void(const char*, int, const char*)> ListLines::reportSkipped;

const char* ListLines::next() {
    while (file_ && std::fgets(buffer_, kBufferSize, file_)) {
        if (atLineStart_) {
            ++lineNumber_;
        }
        const size_t length = std::strlen(buffer_);
        atLineStart_ = length > 0 && buffer_[length - 1] == '\n';
        if (buffer_[0] != '#') {
            return buffer_;
        }
    }
    return nullptr;
}

std::string ListLines::origin(const char* path, int line) {
    std::string name = path ? platform::resolvePath(path) : "";
    if (name.starts_with("./")) {
        name.erase(0, 2);
    }
    return name + ":" + std::to_string(line);
}

void ListLines::skipped() const {
    if (!reportSkipped || buffer_[std::strspn(buffer_, " \t\r\n")] == '\0') {
        return;
    }
    reportSkipped(path_ ? path_ : "", lineNumber_, buffer_);
}
