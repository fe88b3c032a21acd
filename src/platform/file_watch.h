// Tells which watched files an editor has saved, through inotify. A save counts once the
// file is complete: closed after writing, or renamed into place over the old one.
#pragma once

#include <string>
#include <vector>

namespace platform {

class FileWatch {
public:
    FileWatch();
    ~FileWatch();
    FileWatch(const FileWatch&) = delete;
    FileWatch& operator=(const FileWatch&) = delete;

    // False when inotify is not available; every watch then fails.
    bool ok() const { return fd_ >= 0; }

    // Reports `key` when the file at `path` (found ignoring case) is saved. Its directory is
    // what is watched, so a file that an editor replaces stays watched. False when that
    // directory cannot be watched.
    bool watchFile(const std::string& path, int key);
    // Reports `key` when any file in `directory` whose name ends in `suffix` (ignoring case)
    // is saved.
    bool watchSuffix(const std::string& directory, const std::string& suffix, int key);

    // Keys of the files saved since the last call, each once, in the order first seen.
    // Never blocks.
    std::vector<int> saved();

private:
    struct Rule {
        int directory;  // inotify watch descriptor
        std::string name;
        bool suffix;
        int key;
    };

    int watchDirectory(const std::string& directory);
    void collect(int directory, const char* name, std::vector<int>& keys) const;

    int fd_ = -1;
    std::vector<Rule> rules_;
};

}  // namespace platform
