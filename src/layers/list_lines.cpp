#include "layers/list_lines.h"

const char* ListLines::next() {
    while (file_ && std::fgets(buffer_, kBufferSize, file_)) {
        if (buffer_[0] != '#') {
            return buffer_;
        }
    }
    return nullptr;
}
