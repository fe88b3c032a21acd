#include "text/text.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "base/log.h"
#include "platform/font.h"
#include "render/gl_state.h"
#include "render/letterbox.h"

namespace {
constexpr int kFirstCharacter = 32;
constexpr int kListCount = 96;
constexpr int kFontHeight = 18;  // character height in pixels of the 800 × 600 picture
}  // namespace

Text::Text(int pictureHeight) : pictureHeight_(pictureHeight) {
    logWindow->printBanner("Text Object");
    y_ = -static_cast<float>(kFontHeight) / 1000.0f;
    buildFont();
}

void Text::buildFont() {
    if (listBase_ != 0) {
        glDeleteLists(listBase_, kListCount);
    }
    // Glyphs are pixels: they grow with the picture, so the text keeps its place and size.
    pixelHeight_ = scaledPixels(kFontHeight, pictureHeight_);
    listBase_ = glGenLists(kListCount);
    platform::BitmapFont font;
    if (!font.open("Courier New", true, pixelHeight_)) {
        logWindow->print("Text: no font could be loaded; text will not show");
    } else if (!font.exactMatch()) {
        logWindow->print("Text: \"Courier New\" not found, using %s", font.faceName().c_str());
    }
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < kListCount; ++i) {
        platform::Glyph glyph = font.render(static_cast<unsigned char>(kFirstCharacter + i));
        glNewList(listBase_ + static_cast<GLuint>(i), GL_COMPILE);
        glBitmap(glyph.width, glyph.height, glyph.xOrigin, glyph.yOrigin, glyph.advance, 0,
                 glyph.bitmap.empty() ? nullptr : glyph.bitmap.data());
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

void Text::setPosition(double x, double y) {
    x_ = static_cast<float>(x);
    y_ = static_cast<float>(y);
}

void Text::setRasterPosition() const {
    glRasterPos3f(x_ - 0.55f, y_ + 0.39f - lineOffset_, -1.0f);
}

void Text::printText(const char* string) {
    if (pixelHeight_ != scaledPixels(kFontHeight, pictureHeight_)) {
        buildFont();
    }
    SavedState saved;
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(1, 1, 1, 0.5f);
    lineOffset_ = 0;
    setRasterPosition();
    const GLuint base = listBase_ - kFirstCharacter;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(string ? string : ""); *c;
         ++c) {
        if (*c == '\n') {
            lineOffset_ += static_cast<float>(kFontHeight) / 1000.0f + 0.01f;
            setRasterPosition();
        } else if (*c == '\t') {
            for (int i = 0; i < 4; ++i)
                glCallList(base + ' ');
        } else if (*c >= kFirstCharacter && *c < 128) {
            glCallList(base + *c);
        }
    }
}

void Text::printFormatted(const char* format, ...) {
    if (!format)
        return;
    std::string buffer(100000, '\0');
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    printText(buffer.c_str());
}
