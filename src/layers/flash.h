// White and black full-picture flashes from the flash list, drawn late in every frame
// with the absolute show time. Not a timeline layer: it keeps its own schedule.
#pragma once

#include "render/gl/gl.h"

#include <string>
#include <string_view>
#include <vector>

#include "base/frame.h"
#include "image/texture_cache.h"
#include "lists/flash_row.h"

struct FlashEntry {
    double start;
    double fadeIn;
    double hold;
    double fadeOut;
    double end;
    double peak;
    int kind;            // 1: black; anything else: white
    std::string origin;  // "LIST:LINE", for the schedule
};

class Flash {
public:
    static constexpr int kBlack = FlashRow::kBlack;

    struct Color {
        float r, g, b, a;
    };

    // Loads the white and the black texture.
    Flash();

    void add(double start, double fadeIn, double hold, double fadeOut, double peak, int kind,
             std::string origin = {});
    // Appends the rows of a list file; false if it cannot be opened.
    bool read(const char* listPath);
    // The same with the list's text from memory; `listPath` names it in the log.
    void readText(std::string_view text, const char* listPath);
    void clear();

    // Draws every flash whose interval holds the frame's show time.
    void draw(const Frame& frame);
    void drawFlash(double t, double fadeIn, double hold, double fadeOut, double peak, int kind);

    // The quad colour of one flash at level L = envelope × peak.
    static Color colorFor(double level, int kind);

    TextureCache::Handle whitePicture;
    TextureCache::Handle blackPicture;
    GLuint white = 0;
    GLuint black = 0;
    std::vector<FlashEntry> entries;
};
