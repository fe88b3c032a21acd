// The shared render context: the viewport, projection, light 0 and default material every
// layer assumes, the shared light position, the 2D orthographic view and the two texture
// environments the layers switch between, and the frame-rate measure.
#pragma once

#include "render/gl/gl.h"

#include <functional>

#include "base/frame_state.h"

// Position of light 0 as last set by World::setLightPosition; the shading reads it.
extern float lightPosition[3];

class World {
public:
    World();

    void initView();
    // The show's perspective (45°, integer aspect, 0.01 to 3000) and an identity modelview.
    static void setNormalProjection();
    void initLights();

    // Stores the position and moves light 0 there (a point light) under the current
    // modelview matrix.
    void setLightPosition(double x, double y, double z);
    void setLightPosition(float x, float y, float z);

    // A −1 … 1 box in x, y and z with an identity modelview; endOrtho undoes it. Both leave
    // the modelview matrix current.
    void beginOrtho();
    void endOrtho();

    // Textured fragments get (1 − texture) × colour, or texture × colour.
    void setInvertTexEnv();
    void setNormalTexEnv();

    // One texture over the whole window at eye depth z, with the caller's colour, blending
    // and texture environment; texture 0 fills with the colour alone.
    void drawFullWindowQuad(float z, GLuint texture);

    // Once per drawn frame: samples the rate every 10 frames and formats fpsText with the
    // frame's show time.
    void updateFrameRate(double time);

    double fpsSampleTime = 0;
    double previousSampleTime = 0;
    float fps = 0;
    char fpsText[128] = {};
    bool showFps = false;
    // Shows fpsText (over the picture and in the window title) while showFps is on; set by
    // the shell.
    std::function<void(const char*)> printFps;

private:
    void setTexEnv(GLint firstOperand);
};

// The one render context, created at start-up.
extern World* world;
