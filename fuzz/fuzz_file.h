// For readers that take a path: writes the fuzzer's bytes to one file in memory-backed
// storage and gives its path.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

inline std::string fuzzFile(const uint8_t* data, size_t size, const char* name) {
    static const std::string directory = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string path = directory + "/tarvel-fuzz-" + std::to_string(getpid()) + "-" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file) {
        if (size > 0)
            std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    return path;
}
