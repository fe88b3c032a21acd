#include "base/data_file.h"

#include <algorithm>
#include <cctype>

namespace {

const char* extensionOf(DataFile::Kind kind) {
    switch (kind) {
        case DataFile::Kind::Picture:
            return ".jpg";
        case DataFile::Kind::Model:
            return ".3ds";
        case DataFile::Kind::CameraPath:
            return ".pos";
        case DataFile::Kind::Music:
            return ".mp3";
    }
    return "";
}

}  // namespace

std::string DataFile::member(int number) const {
    if (count == 0) {
        return path;
    }
    return path + std::to_string(number) + extensionOf(kind);
}

std::string DataFile::inDataSet(int number) const {
    return data::inDataSet(member(number));
}

std::vector<std::string> DataFile::paths() const {
    std::vector<std::string> files;
    for (int n = 1; n <= (count == 0 ? 1 : count); ++n) {
        files.push_back(member(n));
    }
    return files;
}

const std::vector<const DataFile*>& DataFile::all() {
#define TARVEL_DATA_FILE_ADDRESS(name, ...) &data::name,
    static const std::vector<const DataFile*> files = {TARVEL_DATA_FILES(TARVEL_DATA_FILE_ADDRESS)};
#undef TARVEL_DATA_FILE_ADDRESS
    return files;
}

std::string data::inDataSet(std::string_view path) {
    if (path.starts_with(kRoot)) {
        return std::string(path.substr(kRoot.size()));
    }
    if (!path.starts_with(kCapitalRoot)) {
        return std::string(path);
    }
    std::string stored(path.substr(kCapitalRoot.size()));
    const size_t name = stored.rfind('/') + 1;  // 0 without a directory
    std::transform(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(name),
                   stored.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return stored;
}
