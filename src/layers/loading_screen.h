// The pictures shown while the show loads: each advance draws the next of three pictures
// over the whole window and presents it at once.
#pragma once

#include "render/gl/gl.h"

#include <functional>

#include "image/utility.h"

class LoadingScreen {
public:
    static constexpr int kPictureCount = 3;

    // present: shows the drawn frame (the window's buffer swap).
    explicit LoadingScreen(std::function<void()> present);
    ~LoadingScreen();
    LoadingScreen(const LoadingScreen&) = delete;
    LoadingScreen& operator=(const LoadingScreen&) = delete;

    void advance();

    Utility loader;
    GLuint pictures[kPictureCount] = {};
    int index = 0;  // the picture the next advance shows
    std::function<void()> present;
};
