// The shared render context: the viewport, projection, light 0 and default material every
// layer assumes, the light position they start from, the frame-rate measure; and the GL
// steps the layers share (the 2D orthographic view, the two texture environments they switch
// between, a full-window quad), which need no context object and are static.
#pragma once

#include "render/gl/gl.h"

#include <functional>

#include "base/frame.h"

class World {
public:
    World();

    // The viewport on the picture in the window (`screen`), and the show's projection.
    void initView(const PixelRect& screen);
    // The show's perspective for a picture of that size (45°, integer aspect, 0.01 to 3000)
    // and an identity modelview.
    static void setNormalProjection(const PixelRect& screen);
    void initLights();

    // Stores the position and moves light 0 there (a point light) under the current
    // modelview matrix.
    void setLightPosition(double x, double y, double z);
    void setLightPosition(float x, float y, float z);

    // A −1 … 1 box in x, y and z with an identity modelview; endOrtho undoes it. Both leave
    // the modelview matrix current.
    static void beginOrtho();
    static void endOrtho();
    // beginOrtho for the scope's life, endOrtho at its end.
    class OrthoScope {
    public:
        OrthoScope() { beginOrtho(); }
        ~OrthoScope() { endOrtho(); }
        OrthoScope(const OrthoScope&) = delete;
        OrthoScope& operator=(const OrthoScope&) = delete;
    };

    // Textured fragments get (1 − texture) × colour, or texture × colour.
    static void setInvertTexEnv();
    static void setNormalTexEnv();

    // One texture over the whole window at eye depth z, with the caller's colour, blending
    // and texture environment; texture 0 fills with the colour alone.
    static void drawFullWindowQuad(float z, GLuint texture);

    // Once per drawn frame: counts it, samples the rate every 10 frames and formats fpsText
    // with the frame's show time.
    void updateFrameRate(double time);

    // Light 0's position as last set by setLightPosition (initLights places it there).
    float lightPosition[3] = {50.0f, 50.0f, 100.0f};
    int framesDrawn = 1;  // the frames drawn in this window's round, counting the loading one
    double fpsSampleTime = 0;
    double previousSampleTime = 0;
    float fps = 0;
    char fpsText[128] = {};
    bool showFps = false;
    // Shows fpsText (over the picture and in the window title) while showFps is on; set by
    // the shell.
    std::function<void(const char*)> printFps;

private:
    static void setTexEnv(GLint firstOperand);
};
