#include "image/texture_cache.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

std::string TextureCache::keyOf(const char* path, Wrap wrap) {
    char resolved[PATH_MAX];
    std::string key = realpath(path, resolved) != nullptr ? resolved : path;
    struct stat info {};
    if (stat(key.c_str(), &info) == 0) {
        key += '\n' + std::to_string(info.st_mtim.tv_sec) + '.' +
               std::to_string(info.st_mtim.tv_nsec) + '\n' + std::to_string(info.st_size);
    }
    return key + (wrap == Wrap::Clamp ? "\nclamp" : "");
}

TextureCache::Handle TextureCache::load(const char* path, Kind kind, Wrap wrap) {
    if (path == nullptr) {
        return std::make_shared<const GLuint>(0);
    }
    std::erase_if(entries, [](const auto& entry) { return entry.second.expired(); });
    const std::string key = keyOf(path, wrap);
    if (Handle held = entries[key].lock()) {
        return held;
    }
    GLuint name = 0;
    // Once per log as well: a file missing again after its holders were freed (a reload)
    // is not a new box.
    const auto report = Utility::FailureReport::Once;
    const bool loaded = kind == Kind::Jpg ? loader.loadJPGTexture(path, &name, report)
                                          : loader.loadBMPTexture(path, &name, report);
    if (loaded && wrap == Wrap::Clamp) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    }
    Handle handle(new GLuint(loaded ? name : 0), [](const GLuint* held) {
        if (*held != 0) {
            glDeleteTextures(1, held);
        }
        delete held;
    });
    entries[key] = handle;
    return handle;
}

size_t TextureCache::liveCount() const {
    size_t count = 0;
    for (const auto& entry : entries) {
        count += entry.second.expired() ? 0 : 1;
    }
    return count;
}

TextureCache& TextureCache::shared() {
    static TextureCache cache;
    return cache;
}
