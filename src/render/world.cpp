#include "render/world.h"

#include "render/gl/gl.h"

#include <cstdio>

#include "base/log.h"
#include "render/gl_state.h"

namespace {

constexpr int kFramesPerSample = 10;

}  // namespace

World::World() {
    logWindow->printBanner("World Object");
    setLightPosition(50.0, 50.0, 100.0);
}

void World::initView(const PixelRect& screen) {
    glClearColor(0, 0, 0, 0);
    glViewport(screen.left, screen.bottom, screen.width, screen.height);
    setNormalProjection(screen);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void World::setNormalProjection(const PixelRect& screen) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // Integer quotient on purpose: the show's picture was composed with a square aspect.
    const int aspect = screen.width / (screen.height > 0 ? screen.height : 1);
    gluPerspective(45.0, aspect, 0.01, 3000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void World::initLights() {
    const GLfloat ambient[] = {0.3f, 0.3f, 0.3f, 1.0f};
    const GLfloat diffuse[] = {0.7f, 0.7f, 0.7f, 1.0f};
    const GLfloat specular[] = {1.0f, 1.0f, 1.0f, 1.0f};
    const GLfloat position[] = {lightPosition[0], lightPosition[1], lightPosition[2], 1.0f};
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glLightfv(GL_LIGHT0, GL_POSITION, position);

    const GLfloat materialAmbient[] = {0.5f, 0.2f, 1.0f, 1.0f};
    const GLfloat materialDiffuse[] = {0.4f, 0.4f, 0.9f, 1.0f};
    const GLfloat materialSpecular[] = {0.8f, 0.8f, 0.8f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, materialAmbient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, materialDiffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, materialSpecular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 30.0f);
}

void World::setLightPosition(double x, double y, double z) {
    setLightPosition(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void World::setLightPosition(float x, float y, float z) {
    lightPosition[0] = x;
    lightPosition[1] = y;
    lightPosition[2] = z;
    const GLfloat position[] = {x, y, z, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
}

void World::beginOrtho() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void World::endOrtho() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void World::setInvertTexEnv() {
    setTexEnv(GL_ONE_MINUS_SRC_COLOR);
}

void World::setNormalTexEnv() {
    setTexEnv(GL_SRC_COLOR);
}

void World::setTexEnv(GLint firstOperand) {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_MODULATE);
    glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA_ARB, GL_MODULATE);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB_ARB, firstOperand);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_ARB, GL_PREVIOUS_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB_ARB, GL_SRC_COLOR);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE2_RGB_ARB, GL_CONSTANT_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND2_RGB_ARB, GL_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA_ARB, GL_TEXTURE);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA_ARB, GL_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_ALPHA_ARB, GL_PREVIOUS_ARB);
    glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_ALPHA_ARB, GL_SRC_ALPHA);
    glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE_ARB, 1.0f);
    glTexEnvf(GL_TEXTURE_ENV, GL_ALPHA_SCALE, 1.0f);
}

void World::drawFullWindowQuad(float z, GLuint texture) {
    ColorScope callersColour;
    AttributeScope attributes;
    OrthoScope ortho;
    if (texture != 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
    // s = (1 − x) / 2, t = (1 − y) / 2: the sprites' mapping.
    glBegin(GL_QUADS);
    glTexCoord2f(1, 0);
    glVertex3f(-1, 1, z);
    glTexCoord2f(1, 1);
    glVertex3f(-1, -1, z);
    glTexCoord2f(0, 1);
    glVertex3f(1, -1, z);
    glTexCoord2f(0, 0);
    glVertex3f(1, 1, z);
    glEnd();
}

void World::updateFrameRate(double time) {
    ++framesDrawn;
    if (framesDrawn % kFramesPerSample == 0) {
        fpsSampleTime = time;
        const double elapsed = fpsSampleTime - previousSampleTime;
        // A paused or rewound clock gives no rate; keep the last one.
        if (elapsed > 0) {
            fps = static_cast<float>(kFramesPerSample / elapsed);
        }
        previousSampleTime = fpsSampleTime;
    }
    std::snprintf(fpsText, sizeof fpsText, "Fps: %.1f Tid %.2f", fps, time);
    if (!showFps) {
        return;
    }
    if (printFps) {
        printFps(fpsText);
    }
}
