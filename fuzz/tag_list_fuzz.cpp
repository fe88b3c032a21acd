// Feeds arbitrary text to the tag list parser (rows only: creating tags needs GL).
#include <cstdint>
#include <cstdio>

#include "layers/tag_row.h"
#include "shell/log_window.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static LogWindow quietLog(false);
    logWindow = &quietLog;
    if (size == 0) {
        return 0;
    }
    FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
    if (!file) {
        return 0;
    }
    TagRow::parseList(file, "./vintra/tags/256/bra/");
    std::fclose(file);
    return 0;
}
