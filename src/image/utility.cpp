#include "image/utility.h"

#include <memory>
#include <type_traits>

#include "base/data_problem.h"
#include "base/log.h"
#include "image/bmp_image.h"
#include "image/jpg_image.h"

namespace {

// Reads with the given image type and uploads; a failure leaves `textureName` untouched.
template <typename Image>
bool loadTexture(const char* loaderName, const char* path, GLuint* textureName,
                 Utility::FailureReport report) {
    if (!path || !textureName) {
        return false;
    }
    auto image = std::make_unique<Image>();
    logWindow->printStep("Utility::%s() -- file: %s", loaderName, path);
    if (!image->load(path)) {
        if (report == Utility::FailureReport::Once) {
            logWindow->alertOnce("ERROR! Failed to load %s !", path);
        } else {
            logWindow->alert("ERROR! Failed to load %s !", path);
        }
        if constexpr (std::is_same_v<Image, JPGImage>) {
            DataProblem::tellMissingOr(path, image->failure(path));
        } else {
            DataProblem::tellMissingOr(path, "does not load as a 24-bit BMP picture");
        }
        return false;
    }
    uploadTexture(textureName, image->data.get(), image->width, image->height);
    return true;
}

bool grey(const unsigned char* pixels, size_t count) {
    for (size_t i = 0; i < count; ++i, pixels += 3) {
        if (pixels[0] != pixels[1] || pixels[0] != pixels[2]) {
            return false;
        }
    }
    return true;
}

// GL takes a luminance texel from the red channel of the rows given.
GLint internalFormatFor(const unsigned char* pixels, int width, int height) {
    const bool oneChannel =
        pixels != nullptr && grey(pixels, static_cast<size_t>(width) * static_cast<size_t>(height));
    return oneChannel ? GL_LUMINANCE8 : GL_RGB;
}

}  // namespace

bool Utility::loadBMPTexture(const char* path, GLuint* textureName, FailureReport report) {
    return loadTexture<BMPImage>("loadBMPTexture", path, textureName, report);
}

bool Utility::loadJPGTexture(const char* path, GLuint* textureName, FailureReport report) {
    return loadTexture<JPGImage>("loadJPGTexture", path, textureName, report);
}

void uploadTexture(GLuint* textureName, const unsigned char* pixels, int width, int height) {
    glGenTextures(1, textureName);
    glBindTexture(GL_TEXTURE_2D, *textureName);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // Rows are packed, so widths that are not a multiple of four need byte alignment.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormatFor(pixels, width, height), width, height, 0,
                 GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}
