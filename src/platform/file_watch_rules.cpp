// Which saves a watch's rules answer: the same on the desktop (inotify) and in the page
// (files the author drops), so both hear a saved file alike.
#include <strings.h>

#include <algorithm>

#include "platform/file_watch.h"

namespace platform {
namespace {

bool endsWithIgnoringCase(const std::string& name, const std::string& suffix) {
    return name.size() >= suffix.size() &&
           ::strcasecmp(name.c_str() + name.size() - suffix.size(), suffix.c_str()) == 0;
}

}  // namespace

void FileWatch::collect(int directory, const char* name, std::vector<int>& keys) const {
    const std::string saved = name;
    for (const Rule& rule : rules_) {
        if (rule.directory != directory)
            continue;
        const bool matches = rule.suffix ? endsWithIgnoringCase(saved, rule.name)
                                         : ::strcasecmp(saved.c_str(), rule.name.c_str()) == 0;
        if (matches && std::find(keys.begin(), keys.end(), rule.key) == keys.end())
            keys.push_back(rule.key);
    }
}

}  // namespace platform
