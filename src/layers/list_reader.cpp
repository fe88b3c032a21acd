#include "layers/list_reader.h"

#include <cstdio>

#include "platform/path.h"

std::optional<std::string> ListReader::open(const char* path, const char* heading,
                                            const std::string& shown) {
    logWindow->print("%s%s", heading, shown.c_str());
    FILE* file = path ? platform::openFile(path, "rb") : nullptr;
    if (!file) {
        logWindow->print("File Not Found : %s\n", shown.c_str());
        return std::nullopt;
    }
    std::string text;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, n);
    }
    std::fclose(file);
    return text;
}
