// Case-insensitive file access: the show's data paths are spelled "./vintra/" in some
// places and "./Vintra/" in others, and both must reach the same files.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

// Resolves each component: the exact name if it exists, else the one entry whose name
// matches ignoring ASCII case. Components that match nothing are kept as written.
std::string resolvePath(const std::string& path);

// `path`, relative to the current directory and resolved, as it is written from where the
// current directory was named `root`: "DIR/vintra/a.txt" for "./vintra/A.txt" in DIR.
std::string pathUnder(const std::string& root, const std::string& path);

// fopen on the resolved path.
FILE* openFile(const char* path, const char* mode);

bool fileExists(const char* path);

// The whole file, read through openFile, appended to `bytes`; false when it cannot be opened
// or holds more than `limit` bytes.
bool readFile(const char* path, std::string& bytes, size_t limit = SIZE_MAX);

}  // namespace platform
