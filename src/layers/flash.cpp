#include "layers/flash.h"

#include <optional>
#include <utility>

#include "base/beat.h"
#include "base/data_file.h"
#include "layers/fade_envelope.h"
#include "layers/list_reader.h"
#include "layers/unit_quad.h"
#include "lists/flash_row.h"

Flash::Flash() {
    whitePicture = TextureCache::shared().load(data::kFlashWhite.path, TextureCache::Kind::Jpg);
    blackPicture = TextureCache::shared().load(data::kFlashBlack.path, TextureCache::Kind::Jpg);
    white = *whitePicture;
    black = *blackPicture;
}

void Flash::add(double start, double fadeIn, double hold, double fadeOut, double peak, int kind,
                std::string origin) {
    entries.push_back({start, fadeIn, hold, fadeOut, start + fadeOut + hold + fadeIn, peak, kind,
                       std::move(origin)});
}

bool Flash::read(const char* listPath) {
    std::optional<std::string> text =
        ListReader::open(listPath, "Reading flashes from: ", listPath ? listPath : "");
    if (!text) {
        return false;
    }
    readText(*text, listPath);
    return true;
}

void Flash::readText(std::string_view text, const char* listPath) {
    ListReader::readRows<FlashRow>(text, listPath, [&](FlashRow row, std::string origin) {
        if (row.beats) {
            row.start = static_cast<float>(row.start * kBeatSeconds);
            row.fadeIn = static_cast<float>(row.fadeIn * kBeatSeconds);
            row.hold = static_cast<float>(row.hold * kBeatSeconds);
            row.fadeOut = static_cast<float>(row.fadeOut * kBeatSeconds);
        }
        add(row.start, row.fadeIn, row.hold, row.fadeOut, row.peak, row.kind, std::move(origin));
        return true;
    });
}

void Flash::clear() {
    entries.clear();
}

void Flash::draw(const Frame& frame) {
    const double showTime = frame.showTime;
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
    const bool darkens = kind == kBlack;
    SpriteScope sprite(darkens ? GL_DST_COLOR : GL_SRC_ALPHA, darkens ? GL_SRC_ALPHA : GL_ONE);
    glTranslated(0, 0, -2);

    Color c = colorFor(fadeLevel(t, fadeIn, hold, fadeOut) * peak, kind);
    glColor4f(c.r, c.g, c.b, c.a);
    glBindTexture(GL_TEXTURE_2D, darkens ? black : white);
    drawUnitQuad(QuadMapping::Upright);
}
