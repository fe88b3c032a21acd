// Feeds arbitrary text to the tag list reader's parsing and placement, from memory
// (creating tags needs GL).
#include <cstdint>
#include <string>
#include <string_view>

#include "layers/list_reader.h"
#include "layers/tag_placement.h"
#include "shell/log_window.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static LogWindow quietLog(false);
    logWindow = &quietLog;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    Random random;
    ListReader::readRows<TagRow>(text, "tags.txt", [&](const TagRow& row, const std::string&) {
        return TagPlacement::resolve(row, "./vintra/tags/256/bra/", random).has_value();
    });
    return 0;
}
