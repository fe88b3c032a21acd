#include "render/letterbox.h"

#include "render/gl/gl.h"

#include <algorithm>
#include <cmath>

#include "render/gl_state.h"

Letterbox::Letterbox(int outputWidth, int outputHeight)
    : outputWidth_(std::max(outputWidth, 1)), outputHeight_(std::max(outputHeight, 1)) {
    // Integer products keep the exact 4:3 sizes (1440 × 1080, 2880 × 2160) exact.
    const long wide = static_cast<long>(outputWidth_) * kDesignHeight;
    const long tall = static_cast<long>(outputHeight_) * kDesignWidth;
    if (wide >= tall) {
        picture_.height = outputHeight_;
        picture_.width = static_cast<int>(std::lround(static_cast<double>(tall) / kDesignHeight));
    } else {
        picture_.width = outputWidth_;
        picture_.height = static_cast<int>(std::lround(static_cast<double>(wide) / kDesignWidth));
    }
    picture_.width = std::clamp(picture_.width, 1, outputWidth_);
    picture_.height = std::clamp(picture_.height, 1, outputHeight_);
    picture_.left = (outputWidth_ - picture_.width) / 2;
    picture_.bottom = (outputHeight_ - picture_.height) / 2;
}

void Letterbox::apply() const {
    glViewport(picture_.left, picture_.bottom, picture_.width, picture_.height);
}

void Letterbox::clearBars() const {
    const PixelRect& p = picture_;
    const PixelRect bars[] = {
        {0, 0, p.left, outputHeight_},
        {p.left + p.width, 0, outputWidth_ - p.left - p.width, outputHeight_},
        {p.left, 0, p.width, p.bottom},
        {p.left, p.bottom + p.height, p.width, outputHeight_ - p.bottom - p.height},
    };
    AttributeScope saved(GL_COLOR_BUFFER_BIT | GL_SCISSOR_BIT);
    glEnable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0, 0, 0, 0);
    for (const PixelRect& bar : bars) {
        if (bar.width > 0 && bar.height > 0) {
            glScissor(bar.left, bar.bottom, bar.width, bar.height);
            glClear(GL_COLOR_BUFFER_BIT);
        }
    }
}

int scaledPixels(int designPixels, int pictureHeight) {
    const double scale = static_cast<double>(pictureHeight) / Letterbox::kDesignHeight;
    return std::max(1, static_cast<int>(std::lround(designPixels * scale)));
}
