#include "platform/program_module.h"

#include <dlfcn.h>

#include <filesystem>
#include <map>
#include <system_error>
#include <vector>

namespace platform {

namespace {

std::vector<std::filesystem::path> candidates(const char* fileName) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    const std::filesystem::path directory = program.parent_path();
    return {directory / fileName, directory / TARVEL_MODULES_FROM_PROGRAM / fileName};
}

struct Loaded {
    void* address = nullptr;
    std::string reason;
};

Loaded load(const char* fileName, const char* entry) {
    for (const std::filesystem::path& candidate : candidates(fileName)) {
        if (!std::filesystem::exists(candidate)) {
            continue;
        }
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            return {nullptr, std::string("cannot load ") + dlerror()};
        }
        void* address = dlsym(module, entry);
        if (address == nullptr) {
            return {nullptr, candidate.string() + " is not a module of this program"};
        }
        return {address, ""};
    }
    return {nullptr,
            std::string("cannot find ") + fileName + " beside the program or in its installation"};
}

}  // namespace

void* programModuleEntry(const char* fileName, const char* entry, std::string& reason) {
    // Main thread only, like everything that opens files or dialogs.
    static std::map<std::string, Loaded> loaded;
    auto found = loaded.find(fileName);
    if (found == loaded.end()) {
        found = loaded.emplace(fileName, load(fileName, entry)).first;
    }
    reason = found->second.reason;
    return found->second.address;
}

}  // namespace platform
