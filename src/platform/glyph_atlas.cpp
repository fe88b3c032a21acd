#include "platform/glyph_atlas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>

#include "platform/path.h"

namespace platform {
namespace {

const char kMagic[8] = {'T', 'G', 'L', 'Y', 'P', 'H', 'S', '1'};
constexpr int kMaxSide = 1024;

template <typename T>
void put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T>
bool take(const std::string& in, size_t& at, T& value) {
    if (in.size() - at < sizeof value)
        return false;
    std::memcpy(&value, in.data() + at, sizeof value);
    at += sizeof value;
    return true;
}

int rowBytes(int width) {
    return (width + 7) / 8;
}

bool bit(const Glyph& glyph, int x, int y) {
    return glyph.bitmap[static_cast<size_t>(y * rowBytes(glyph.width) + x / 8)] & (0x80 >> (x % 8));
}

bool readGlyph(const std::string& in, size_t& at, Glyph& glyph) {
    int32_t width = 0;
    int32_t height = 0;
    if (!take(in, at, width) || !take(in, at, height) || !take(in, at, glyph.xOrigin) ||
        !take(in, at, glyph.yOrigin) || !take(in, at, glyph.advance))
        return false;
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
        return false;
    glyph.width = width;
    glyph.height = height;
    const size_t bytes = static_cast<size_t>(rowBytes(width)) * height;
    if (in.size() - at < bytes)
        return false;
    glyph.bitmap.assign(in.begin() + static_cast<long>(at),
                        in.begin() + static_cast<long>(at + bytes));
    at += bytes;
    return true;
}

}  // namespace

bool GlyphAtlas::write(const std::string& path) const {
    std::string out(kMagic, sizeof kMagic);
    put<int32_t>(out, pixelHeight);
    put<int32_t>(out, static_cast<int32_t>(faceName.size()));
    out += faceName;
    for (const Glyph& glyph : glyphs) {
        put<int32_t>(out, glyph.width);
        put<int32_t>(out, glyph.height);
        put(out, glyph.xOrigin);
        put(out, glyph.yOrigin);
        put(out, glyph.advance);
        out += std::string(glyph.bitmap.begin(), glyph.bitmap.end());
    }
    std::ofstream file(path, std::ios::binary);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    file.close();
    return static_cast<bool>(file);
}

bool GlyphAtlas::read(const std::string& path) {
    std::string in;
    if (!readFile(path.c_str(), in) || in.compare(0, sizeof kMagic, kMagic, sizeof kMagic) != 0)
        return false;
    size_t at = sizeof kMagic;
    int32_t height = 0;
    int32_t nameLength = 0;
    if (!take(in, at, height) || !take(in, at, nameLength) || height <= 0 || nameLength < 0 ||
        in.size() - at < static_cast<size_t>(nameLength))
        return false;
    pixelHeight = height;
    faceName = in.substr(at, static_cast<size_t>(nameLength));
    at += static_cast<size_t>(nameLength);
    glyphs.assign(kCount, Glyph{});
    for (Glyph& glyph : glyphs) {
        if (!readGlyph(in, at, glyph))
            return false;
    }
    return true;
}

Glyph GlyphAtlas::scaled(unsigned char character, int height) const {
    Glyph result;
    const int index = character - kFirstCharacter;
    if (index < 0 || index >= static_cast<int>(glyphs.size()) || pixelHeight <= 0 || height <= 0)
        return result;
    const Glyph& source = glyphs[static_cast<size_t>(index)];
    const double scale = static_cast<double>(height) / pixelHeight;
    result.advance = static_cast<float>(std::round(source.advance * scale));
    result.xOrigin = static_cast<float>(std::round(source.xOrigin * scale));
    result.yOrigin = static_cast<float>(std::round(source.yOrigin * scale));
    result.width = std::max(0, static_cast<int>(std::ceil(source.width * scale)));
    result.height = std::max(0, static_cast<int>(std::ceil(source.height * scale)));
    result.bitmap.assign(static_cast<size_t>(rowBytes(result.width)) * result.height, 0);
    for (int y = 0; y < result.height; ++y) {
        const int top = static_cast<int>(y / scale);
        const int bottom =
            std::min(source.height, std::max(top + 1, static_cast<int>((y + 1) / scale)));
        for (int x = 0; x < result.width; ++x) {
            const int left = static_cast<int>(x / scale);
            const int right =
                std::min(source.width, std::max(left + 1, static_cast<int>((x + 1) / scale)));
            int covered = 0;
            int total = 0;
            for (int sy = top; sy < bottom; ++sy) {
                for (int sx = left; sx < right; ++sx) {
                    covered += bit(source, sx, sy) ? 1 : 0;
                    ++total;
                }
            }
            if (total > 0 && covered * 2 >= total)
                result.bitmap[static_cast<size_t>(y * rowBytes(result.width) + x / 8)] |=
                    static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
    return result;
}

}  // namespace platform
