// A looping flip-book of numbered JPEG frames on one eye-space square, with the tag's
// fade-in / hold / fade-out envelope. Up to 256 frames; a frame that fails to load is
// left out of the sequence.
#pragma once

#include "render/gl/gl.h"

#include <array>
#include <string>

#include "base/layer.h"
#include "image/utility.h"

class FrameAnim : public Layer {
public:
    static constexpr int kMaxFrames = 256;

    FrameAnim();
    ~FrameAnim() override = default;

    // Loads "<prefix>1.jpg" … "<prefix><count>.jpg" into consecutive slots.
    void loadFrames(const char* prefix, int count);
    // The same, a frame per loadNextFrame (the rest at the first draw); false once none is
    // left. For a flip-book the show needs long after it starts.
    void loadFramesLater(const char* prefix, int count);
    bool loadNextFrame();
    // Virtual so tests can stand in for the texture loader.
    virtual bool loadFrame(const char* path, GLuint* slot);

    void setFade(double in, double holdSeconds, double out);
    void setPeak(double value) { peak = value; }
    void setFrameRate(double framesPerSecond) { frameRate = framesPerSecond; }
    void setBlend(int src, int dst);

    // Draws nothing while no frame has loaded. The authors' tuning offset of the frame's
    // camera moves it in depth.
    void draw(const Frame& frame) override;
    // The fade's whole envelope.
    double showsFor() const override { return fadeIn + hold + fadeOut; }
    // Deletes the frames; the next draw or loadNext loads them again.
    bool unload() override;
    bool loadNext() override { return loadNextFrame(); }

    // The frame index shown at local time t (frameCount must be above 0).
    int frameAt(double t) const;
    // The vertex colour (r, g, b, a) at local time t.
    std::array<float, 4> colourAt(double t) const;

    Utility loader;
    int frameCount = 0;
    std::string pendingPrefix;
    int nextNumber = 0;  // of the next frame to load; past pendingCount when none is left
    int pendingCount = 0;
    int currentFrame = 0;
    double fadeIn = 0.0;
    double hold = 100.0;
    double fadeOut = 0.0;
    GLuint frames[kMaxFrames] = {};
    double x = 0.0, y = 0.0;
    double z = -2.5;
    double zDrift = 0.0;
    double rotation = 0.0;
    double peak = 1.0;
    double frameRate = 10.0;
    int blendSrc = GL_SRC_COLOR;
    int blendDst = GL_ONE_MINUS_SRC_COLOR;
};
