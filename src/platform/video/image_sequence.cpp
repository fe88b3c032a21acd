#include "platform/video/image_sequence.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "platform/png_writer.h"

namespace platform::video {

namespace {

constexpr int kWidestNumber = 20;

// Where the one number conversion of a name is: [start, end) of "%05d", or npos.
struct Conversion {
    size_t start = std::string::npos;
    size_t end = std::string::npos;
    int width = 0;
    bool zeros = false;
};

// False when the name has no conversion, more than one, or a '%' that is not "%%".
bool findConversion(const std::string& name, Conversion& found) {
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] != '%')
            continue;
        if (i + 1 < name.size() && name[i + 1] == '%') {
            ++i;
            continue;
        }
        size_t j = i + 1;
        const bool zeros = j < name.size() && name[j] == '0';
        int width = 0;
        while (j < name.size() && name[j] >= '0' && name[j] <= '9' && width <= kWidestNumber)
            width = width * 10 + (name[j++] - '0');
        if (j >= name.size() || name[j] != 'd' || width > kWidestNumber ||
            found.start != std::string::npos)
            return false;
        found = {i, j + 1, width, zeros};
        i = j;
    }
    return found.start != std::string::npos;
}

std::string withoutEscapes(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == '%')
            ++i;
    }
    return out;
}

std::string number(const Conversion& c, int64_t value) {
    char digits[64];
    std::snprintf(digits, sizeof digits, c.zeros ? "%0*" PRId64 : "%*" PRId64, c.width, value);
    return digits;
}

std::string fileNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool ImageSequence::isSequenceName(const std::string& path) {
    const std::string name = fileNameOf(path);
    if (name.size() < 4)
        return false;
    std::string extension = name.substr(name.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".png";
}

bool ImageSequence::checkName(const std::string& path, std::string& error) {
    Conversion c;
    const std::string name = fileNameOf(path);
    const size_t directoryLength = path.size() - name.size();
    if (path.find('%') < directoryLength) {
        error = "the folder's name may not hold a '%'";
        return false;
    }
    if (!findConversion(name, c)) {
        error = "a picture sequence's name needs exactly one number, like frame%05d.png";
        return false;
    }
    return true;
}

std::string ImageSequence::nameOf(const std::string& pattern, int64_t value) {
    Conversion c;
    if (!findConversion(pattern, c))
        return pattern;
    return withoutEscapes(pattern.substr(0, c.start)) + number(c, value) +
           withoutEscapes(pattern.substr(c.end));
}

std::string ImageSequence::soundNameOf(const std::string& pattern, int64_t first, int64_t last) {
    Conversion c;
    if (!findConversion(pattern, c))
        return pattern + ".wav";
    std::string stem = withoutEscapes(pattern.substr(0, c.start)) + number(c, first) + "-" +
                       number(c, last) + withoutEscapes(pattern.substr(c.end));
    return stem.substr(0, stem.size() - 4) + ".wav";
}

bool ImageSequence::fail(const std::string& reason) {
    error_ = reason;
    return false;
}

bool ImageSequence::open(const std::string& path, const FileSettings& settings) {
    error_.clear();
    if (!checkName(path, error_))
        return false;
    pattern_ = path;
    settings_ = settings;
    next_ = settings.firstFrame;
    const int64_t last = settings.firstFrame + std::max<int64_t>(settings.frameCount, 1) - 1;
    const std::string soundName = soundNameOf(path, settings.firstFrame, last);
    if (!sound_.open(soundName, settings))
        return fail(sound_.error());
    rgb_.assign(static_cast<size_t>(settings.width) * settings.height * 3, 0);
    description_ = "PNG pictures " + nameOf(path, settings.firstFrame) + " to " +
                   nameOf(path, last).substr(path.rfind('/') + 1) + ", the sound in " +
                   soundName.substr(soundName.rfind('/') + 1);
    return true;
}

bool ImageSequence::writePicture(const uint8_t* bgraBottomUp) {
    const int width = settings_.width;
    const int height = settings_.height;
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = bgraBottomUp + static_cast<size_t>(height - 1 - y) * width * 4;
        uint8_t* out = rgb_.data() + static_cast<size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x, in += 4, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    const std::string name = nameOf(pattern_, next_++);
    if (!writePng(name, width, height, rgb_))
        return fail("cannot write " + name);
    return true;
}

bool ImageSequence::writeSound(const int16_t* frames, int count) {
    return sound_.writeSound(frames, count) || fail(sound_.error());
}

bool ImageSequence::finish() {
    if (!sound_.finish())
        return fail(sound_.error());
    return true;
}

}  // namespace platform::video
