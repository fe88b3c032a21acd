// One GL texture per picture file, shared by every row, layer and model that names it. Keyed
// by the file's resolved path and its modification time and size, so a picture changed on
// disk is read again by the next load (a list reload) while the old one stays with those
// still drawing it. A texture is deleted when its last holder lets go of it.
#pragma once

#include "render/gl/gl.h"

#include <map>
#include <memory>
#include <string>

#include "image/utility.h"

class TextureCache {
public:
    enum class Kind { Jpg, Bmp };
    // Edges repeat (GL's default) or clamp; a picture used both ways has a texture for each.
    enum class Wrap { Repeat, Clamp };
    // The texture's name while held; 0 when the picture failed to load (drawn untextured).
    using Handle = std::shared_ptr<const GLuint>;

    // Reads and uploads on the first load of a file; later loads of the same unchanged file
    // share it. A failure is reported once, when the file is first tried, and shared too.
    Handle load(const char* path, Kind kind, Wrap wrap = Wrap::Repeat);

    // Files with a texture (or a failure) someone still holds.
    size_t liveCount() const;

    // The cache of the show's GL context.
    static TextureCache& shared();

private:
    static std::string keyOf(const char* path, Wrap wrap);
    std::map<std::string, std::weak_ptr<const GLuint>> entries;
    Utility loader;
};
