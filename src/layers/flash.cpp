#include "layers/flash.h"

#include <cmath>
#include <cstdio>
#include <utility>

#include "base/beat.h"
#include "base/log.h"
#include "layers/fade_envelope.h"
#include "layers/list_lines.h"
#include "layers/unit_quad.h"
#include "platform/path.h"

namespace {}  // namespace

Flash::Flash() {
    whitePicture = TextureCache::shared().load("./vintra/flash/white.jpg", TextureCache::Kind::Jpg);
    blackPicture = TextureCache::shared().load("./vintra/flash/black.jpg", TextureCache::Kind::Jpg);
    white = *whitePicture;
    black = *blackPicture;
}

void Flash::add(double start, double fadeIn, double hold, double fadeOut, double peak, int kind,
                std::string origin) {
    entries.push_back({start, fadeIn, hold, fadeOut, start + fadeOut + hold + fadeIn, peak, kind,
                       std::move(origin)});
}

bool Flash::read(const char* listPath) {
    logWindow->print("Reading flashes from: %s", listPath);
    FILE* file = platform::openFile(listPath, "rb");
    if (!file) {
        logWindow->print("File Not Found : %s\n", listPath);
        return false;
    }
    int rows = 0;
    ListLines lines(file, listPath);
    while (const char* line = lines.next()) {
        float start, fadeIn, hold, fadeOut, peak, kind, unit;
        if (std::sscanf(line, "%f\t%f\t%f\t%f\t%f\t%f\t%f\n", &start, &fadeIn, &hold, &fadeOut,
                        &peak, &kind, &unit) != 7) {
            lines.skipped();
            continue;
        }
        ++rows;
        if (unit > 0) {
            start = static_cast<float>(start * kBeatSeconds);
            fadeIn = static_cast<float>(fadeIn * kBeatSeconds);
            hold = static_cast<float>(hold * kBeatSeconds);
            fadeOut = static_cast<float>(fadeOut * kBeatSeconds);
        }
        // Kinds beyond the int range are white, like every kind but 1.
        int kindNumber = std::fabs(kind) < 1e9f ? static_cast<int>(kind) : 0;
        add(start, fadeIn, hold, fadeOut, peak, kindNumber, lines.origin());
    }
    std::fclose(file);
    logWindow->print("Read %d rows.", rows);
    return true;
}

void Flash::clear() {
    entries.clear();
}

void Flash::draw(double showTime) {
    for (const FlashEntry& e : entries) {
        if (showTime >= e.start && showTime <= e.end) {
            drawFlash(showTime - e.start, e.fadeIn, e.hold, e.fadeOut, e.peak, e.kind);
        }
    }
}

Flash::Color Flash::colorFor(double level, int kind) {
    float l = static_cast<float>(level);
    if (kind == kBlack) {
        return {0, 0, 0, 1 - l};
    }
    return {1, 1, 1, l};
}

void Flash::drawFlash(double t, double fadeIn, double hold, double fadeOut, double peak, int kind) {
    // Black multiplies the frame by 1 − L; white adds L.
    const bool black = kind == kBlack;
    SpriteScope sprite(black ? GL_DST_COLOR : GL_SRC_ALPHA, black ? GL_SRC_ALPHA : GL_ONE);
    glTranslated(0, 0, -2);

    Color c = colorFor(fadeLevel(t, fadeIn, hold, fadeOut) * peak, kind);
    glColor4f(c.r, c.g, c.b, c.a);
    glBindTexture(GL_TEXTURE_2D, kind == kBlack ? black : white);
    drawUnitQuad(QuadMapping::Upright);
}
