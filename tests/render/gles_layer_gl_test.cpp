// The GL layer against fixed-function GL: each feature group of the layer draws a small
// scene through both renderers, and the read-backs must agree as the show's frames must
// (40 dB over the picture, no 5 × 5 block off by more than 8/255).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "render/gl/gl.h"
#include "support/gl_paths.h"
#include "text/text.h"

namespace {

using testing_support::BothWays;
using testing_support::drawBothWays;

// Textures belong to one context: each scene makes its own, and they go when it ends.
std::vector<GLuint> sceneTextures;

BothWays bothWays(const std::function<void()>& scene, int width = 96, int height = 96) {
    return drawBothWays(
        [&] {
            scene();
            glDeleteTextures(static_cast<GLsizei>(sceneTextures.size()), sceneTextures.data());
            sceneTextures.clear();
        },
        width, height);
}

struct Rgba {
    uint8_t r, g, b, a;
};

GLuint makeTexture(int width, int height, GLenum format, const std::function<Rgba(int, int)>& at,
                   GLint filter = GL_LINEAR) {
    std::vector<uint8_t> texels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba c = at(x, y);
            texels.insert(texels.end(), {c.r, c.g, c.b});
            if (format == GL_RGBA) {
                texels.push_back(c.a);
            }
        }
    }
    GLuint name = 0;
    glGenTextures(1, &name);
    sceneTextures.push_back(name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, format == GL_RGBA ? GL_RGBA : GL_RGB, width, height, 0, format,
                 GL_UNSIGNED_BYTE, texels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    return name;
}

// Red grows with s, green with t, blue in a checker: any swap or shift shows.
GLuint gradientTexture() {
    return makeTexture(16, 16, GL_RGB, [](int x, int y) {
        return Rgba{static_cast<uint8_t>(x * 16), static_cast<uint8_t>(y * 16),
                    static_cast<uint8_t>(((x / 4 + y / 4) % 2) * 200), 255};
    });
}

void ortho() {
    glMatrixMode(GL_PROJECTION);
    glOrtho(-1, 1, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
}

void perspective() {
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45, 1, 0.5, 50);
    glMatrixMode(GL_MODELVIEW);
    gluLookAt(0.5, 1, 5, 0, 0, 0, 0, 1, 0);
}

void quad(float x0, float y0, float x1, float y1, float z = 0) {
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(x0, y0, z);
    glTexCoord2f(1, 0);
    glVertex3f(x1, y0, z);
    glTexCoord2f(1, 1);
    glVertex3f(x1, y1, z);
    glTexCoord2f(0, 1);
    glVertex3f(x0, y1, z);
    glEnd();
}

// A unit sphere of triangles, its normals the positions.
void sphere(int slices, int stacks) {
    glBegin(GL_TRIANGLES);
    auto vertex = [&](int i, int j) {
        const double theta = M_PI * j / stacks, phi = 2 * M_PI * i / slices;
        const float p[3] = {static_cast<float>(std::sin(theta) * std::cos(phi)),
                            static_cast<float>(std::sin(theta) * std::sin(phi)),
                            static_cast<float>(std::cos(theta))};
        glNormal3fv(p);
        glVertex3fv(p);
    };
    for (int j = 0; j < stacks; ++j) {
        for (int i = 0; i < slices; ++i) {
            vertex(i, j);
            vertex(i, j + 1);
            vertex(i + 1, j + 1);
            vertex(i, j);
            vertex(i + 1, j + 1);
            vertex(i + 1, j);
        }
    }
    glEnd();
}

void expectSame(const BothWays& both, double minimumLit = 0.05) {
    const auto comparison = both.comparison();
    EXPECT_TRUE(comparison.same()) << comparison.describe();
    EXPECT_GT(both.gl.litShare(), minimumLit) << "the scene should draw something";
}

TEST(GlesLayer, ImmediateModeCurrentAttributesBlendingAndDepth) {
    expectSame(bothWays([&] {
        const GLuint checker = makeTexture(8, 8, GL_RGBA, [](int x, int y) {
            return Rgba{255, static_cast<uint8_t>((x + y) % 2 * 255), 80,
                        static_cast<uint8_t>(64 + x * 24)};
        });

        ortho();
        // A colour given once for the whole primitive, then one per vertex of a quad that
        // is no parallelogram, so the diagonal it is split along shows.
        glBegin(GL_TRIANGLES);
        glColor3f(1, 0.5f, 0);
        glVertex3f(-0.9f, -0.9f, 0);
        glVertex3f(-0.1f, -0.9f, 0);
        glVertex3f(-0.5f, -0.1f, 0);
        glEnd();
        glBegin(GL_QUADS);
        glColor3f(1, 0, 0);
        glVertex3f(0.1f, -0.9f, 0);
        glColor3f(0, 1, 0);
        glVertex3f(0.9f, -0.8f, 0);
        glColor3f(0, 0, 1);
        glVertex3f(0.8f, -0.1f, 0);
        glColor3f(1, 1, 1);
        glVertex3f(0.2f, -0.3f, 0);
        glEnd();
        // Depth: the nearer quad drawn second still wins, the farther one drawn last loses.
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glColor3f(0, 0.6f, 0.9f);
        quad(-0.9f, 0.1f, -0.1f, 0.9f, 0.5f);
        glColor3f(0.9f, 0.9f, 0.2f);
        quad(-0.6f, 0.3f, 0.2f, 0.7f, -0.5f);
        glColor3f(1, 0, 1);
        quad(-0.8f, 0.2f, 0.4f, 0.4f, 0.8f);
        glDisable(GL_DEPTH_TEST);
        // A blended, modulated texture turned and moved by the model-view matrix.
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, checker);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glColor4f(1, 1, 1, 0.8f);
        glTranslated(0.5, 0.5, 0);
        glRotated(30, 0, 0, 1);
        quad(-0.35f, -0.35f, 0.35f, 0.35f);
        glDisable(GL_BLEND);
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
    }));
}

TEST(GlesLayer, LightingPositionalDirectionalAndHomogeneousLights) {
    expectSame(bothWays(
        [] {
            perspective();
            const GLfloat ambient[] = {0.2f, 0.1f, 0.1f, 1}, diffuse[] = {0.6f, 0.7f, 0.8f, 1},
                          specular[] = {0.9f, 0.9f, 0.9f, 1};
            glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
            glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
            glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
            glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20);
            // Close to the sphere, a positional light lights it from a point, not a direction;
            // another is positional with w = 0.5; one is directional and coloured.
            const GLfloat near[] = {1.2f, 1.0f, 1.5f, 1}, half[] = {-1, -0.2f, 0.6f, 0.5f},
                          away[] = {-1, 0.5f, 0.3f, 0}, blue[] = {0.1f, 0.2f, 0.9f, 1},
                          dim[] = {0.1f, 0.1f, 0.1f, 1};
            glLightfv(GL_LIGHT0, GL_POSITION, near);
            glLightfv(GL_LIGHT1, GL_POSITION, half);
            glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
            glLightfv(GL_LIGHT1, GL_AMBIENT, dim);
            glLightfv(GL_LIGHT2, GL_POSITION, away);
            glLightfv(GL_LIGHT2, GL_DIFFUSE, blue);
            glEnable(GL_LIGHTING);
            glEnable(GL_LIGHT0);
            glEnable(GL_LIGHT1);
            glEnable(GL_LIGHT2);
            glTranslated(-0.4, 0, 0);
            sphere(24, 16);
            // A floor whose normal is given once for all its corners.
            const GLfloat up[] = {0, 1, 0};
            glNormal3fv(up);
            glBegin(GL_QUADS);
            glVertex3f(-3, -1.2f, 2);
            glVertex3f(3, -1.2f, 2);
            glVertex3f(3, -1.2f, -3);
            glVertex3f(-3, -1.2f, -3);
            glEnd();
            glDisable(GL_LIGHT1);
            glDisable(GL_LIGHT2);
            glDisable(GL_LIGHTING);
            const GLfloat lightOne[] = {0, 0, 1, 0}, black[] = {0, 0, 0, 1}, white[] = {1, 1, 1, 1};
            glLightfv(GL_LIGHT0, GL_POSITION, lightOne);
            glLightfv(GL_LIGHT1, GL_DIFFUSE, black);
            glLightfv(GL_LIGHT1, GL_AMBIENT, black);
            glLightfv(GL_LIGHT2, GL_DIFFUSE, black);
            glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        },
        128, 128));
}

TEST(GlesLayer, TextureEnvironmentsCombineAddReplaceAndTheTextureMatrix) {
    expectSame(bothWays([&] {
        const GLuint gradient = gradientTexture();
        const GLuint spots = makeTexture(8, 8, GL_RGBA, [](int x, int y) {
            return Rgba{static_cast<uint8_t>(x * 30), 40, static_cast<uint8_t>(y * 30),
                        static_cast<uint8_t>((x * y) % 3 * 120)};
        });

        ortho();
        // The world's inverting COMBINE on unit 0, moved by the texture matrix; unit 1 adds.
        glActiveTexture(GL_TEXTURE0);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, gradient);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_RGB_ARB, GL_MODULATE);
        glTexEnvi(GL_TEXTURE_ENV, GL_COMBINE_ALPHA_ARB, GL_MODULATE);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_RGB_ARB, GL_TEXTURE);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_RGB_ARB, GL_ONE_MINUS_SRC_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_RGB_ARB, GL_PREVIOUS_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_RGB_ARB, GL_SRC_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE0_ALPHA_ARB, GL_TEXTURE);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND0_ALPHA_ARB, GL_SRC_ALPHA);
        glTexEnvi(GL_TEXTURE_ENV, GL_SOURCE1_ALPHA_ARB, GL_PREVIOUS_ARB);
        glTexEnvi(GL_TEXTURE_ENV, GL_OPERAND1_ALPHA_ARB, GL_SRC_ALPHA);
        glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE_ARB, 2.0f);
        glMatrixMode(GL_TEXTURE);
        glTranslatef(0.3f, 0.1f, 0);
        glMatrixMode(GL_MODELVIEW);
        glActiveTexture(GL_TEXTURE1);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, spots);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD);
        glColor3f(0.4f, 0.6f, 0.3f);
        glBegin(GL_QUADS);
        const float corners[4][2] = {{-0.9f, -0.9f}, {0.9f, -0.9f}, {0.9f, 0}, {-0.9f, 0}};
        for (const auto& c : corners) {
            glMultiTexCoord2f(GL_TEXTURE0, c[0] + 0.9f, c[1] + 0.9f);
            glMultiTexCoord2f(GL_TEXTURE1, (c[0] + 0.9f) * 2, c[1]);
            glVertex3f(c[0], c[1], 0);
        }
        glEnd();
        glDisable(GL_TEXTURE_2D);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glBindTexture(GL_TEXTURE_2D, 0);
        glActiveTexture(GL_TEXTURE0);
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glTexEnvf(GL_TEXTURE_ENV, GL_RGB_SCALE_ARB, 1.0f);
        // REPLACE with an RGBA texture over a blend, MODULATE of an RGB one.
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glBindTexture(GL_TEXTURE_2D, spots);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
        quad(-0.9f, 0.1f, -0.05f, 0.9f);
        glDisable(GL_BLEND);
        glBindTexture(GL_TEXTURE_2D, gradient);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glColor3f(0.9f, 0.5f, 1);
        quad(0.05f, 0.1f, 0.9f, 0.9f);
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
    }));
}

// The planes the meshes project their light maps with, on a surface seen in perspective.
void generatedCoordinates(GLenum mode, GLenum planeName) {
    const GLfloat s0[] = {0.5f, 0, 0, 0.5f}, t0[] = {0, 0.4f, 0.1f, 0.5f},
                  s1[] = {0, 0, 0.5f, 0.5f}, t1[] = {0.2f, 0, 0, 0.3f};
    for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
        glActiveTexture(unit);
        glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, static_cast<GLint>(mode));
        glTexGenfv(GL_S, planeName, unit == GL_TEXTURE0 ? s0 : s1);
        glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, static_cast<GLint>(mode));
        glTexGenfv(GL_T, planeName, unit == GL_TEXTURE0 ? t0 : t1);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
    }
}

TEST(GlesLayer, ObjectAndEyeLinearTextureGeneration) {
    expectSame(bothWays([&] {
        const GLuint gradient = gradientTexture();
        const GLuint second = makeTexture(4, 4, GL_RGB, [](int x, int y) {
            return Rgba{255, static_cast<uint8_t>(255 - x * 50), static_cast<uint8_t>(155 + y * 30),
                        255};
        });

        perspective();
        for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
            glActiveTexture(unit);
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, unit == GL_TEXTURE0 ? gradient : second);
        }
        glRotated(20, 1, 0.5, 0);
        generatedCoordinates(GL_OBJECT_LINEAR, GL_OBJECT_PLANE);
        glBegin(GL_TRIANGLES);
        glVertex3f(-2, -1.5f, 0);
        glVertex3f(0, -1.5f, -1);
        glVertex3f(-1, 1.5f, 0.5f);
        glEnd();
        generatedCoordinates(GL_EYE_LINEAR, GL_EYE_PLANE);
        glBegin(GL_TRIANGLES);
        glVertex3f(0.2f, -1.5f, 0);
        glVertex3f(2, -1.5f, -1);
        glVertex3f(1, 1.5f, 0.5f);
        glEnd();
        for (GLenum unit : {GL_TEXTURE1, GL_TEXTURE0}) {
            glActiveTexture(unit);
            glDisable(GL_TEXTURE_GEN_S);
            glDisable(GL_TEXTURE_GEN_T);
            glDisable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, 0);
        }
    }));
}

TEST(GlesLayer, DisplayListsKeepBothUnitsCoordinatesAndTheirLastColour) {
    BothWays both = bothWays([&] {
        const GLuint gradient = gradientTexture();
        const GLuint second = makeTexture(8, 8, GL_RGB, [](int x, int y) {
            return Rgba{static_cast<uint8_t>(255 - y * 30), 255, static_cast<uint8_t>(x * 30), 255};
        });

        ortho();
        // Compiled once; called twice, moved; its last colour stays current after it.
        const GLuint list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        glBegin(GL_TRIANGLES);
        const float corners[3][2] = {{-0.4f, -0.4f}, {0.4f, -0.4f}, {0, 0.4f}};
        for (int i = 0; i < 3; ++i) {
            glColor3f(i == 0 ? 1.0f : 0.5f, i == 1 ? 1.0f : 0.5f, 1);
            glMultiTexCoord2f(GL_TEXTURE0, corners[i][0] + 0.5f, corners[i][1] + 0.5f);
            glMultiTexCoord2f(GL_TEXTURE1, corners[i][1] * 2 + 1, corners[i][0] * 2 + 1);
            glVertex3f(corners[i][0], corners[i][1], 0);
        }
        glEnd();
        glEndList();
        for (GLenum unit : {GL_TEXTURE0, GL_TEXTURE1}) {
            glActiveTexture(unit);
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, unit == GL_TEXTURE0 ? gradient : second);
        }
        glColor3f(1, 0, 0);
        glTranslatef(-0.45f, -0.4f, 0);
        glCallList(list);
        glTranslatef(0.9f, 0.1f, 0);
        glCallList(list);
        for (GLenum unit : {GL_TEXTURE1, GL_TEXTURE0}) {
            glActiveTexture(unit);
            glDisable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, 0);
        }
        glLoadIdentity();
        quad(-0.9f, 0.6f, 0.9f, 0.9f);
        glDeleteLists(list, 1);
    });
    expectSame(both);
}

// The layer gathers draws set up alike into one; anything a draw sees that changes between
// two (the texture bound, its contents, a switch, the blend, the matrix) keeps them apart,
// and a colour change alone, a per-vertex attribute, does not need to.
TEST(GlesLayer, GatheredDrawsKeepEachTheTextureStateAndMatrixItWasGiven) {
    expectSame(bothWays([&] {
        const GLuint gradient = gradientTexture();
        const GLuint spots = makeTexture(8, 8, GL_RGB, [](int x, int y) {
            return Rgba{40, static_cast<uint8_t>(120 + x * 16), static_cast<uint8_t>(y * 30), 255};
        });

        ortho();
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, gradient);
        quad(-0.95f, 0.5f, -0.55f, 0.9f);
        glColor3f(1, 0.5f, 0.5f);
        quad(-0.5f, 0.5f, -0.1f, 0.9f);
        // Another texture, then the first one's contents replaced: each quad keeps its own.
        glBindTexture(GL_TEXTURE_2D, spots);
        quad(-0.05f, 0.5f, 0.35f, 0.9f);
        glBindTexture(GL_TEXTURE_2D, gradient);
        quad(0.4f, 0.5f, 0.8f, 0.9f);
        const uint8_t blue[4 * 4] = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 255};
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, blue);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        quad(-0.95f, 0.0f, -0.55f, 0.4f);
        // A switch, the blend and the matrix between draws of one texture.
        glBindTexture(GL_TEXTURE_2D, spots);
        glColor3f(1, 1, 1);
        quad(-0.5f, 0.0f, -0.1f, 0.4f);
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        quad(-0.3f, 0.2f, 0.1f, 0.45f);
        glBlendFunc(GL_ZERO, GL_SRC_COLOR);
        quad(0.0f, 0.1f, 0.3f, 0.3f);
        glDisable(GL_BLEND);
        quad(0.4f, 0.0f, 0.6f, 0.2f);
        glTranslatef(0.35f, -0.5f, 0);
        quad(0.05f, 0.0f, 0.25f, 0.2f);
        glLoadIdentity();
        glDisable(GL_TEXTURE_2D);
        quad(-0.95f, -0.9f, -0.5f, -0.5f);
        glBindTexture(GL_TEXTURE_2D, 0);
    }));
}

TEST(GlesLayer, PushedAttributesComeBackWhateverChangedBetween) {
    expectSame(bothWays([&] {
        const GLuint gradient = gradientTexture();

        ortho();
        glEnable(GL_BLEND);
        glBlendFunc(GL_ONE, GL_ONE);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, gradient);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glColor4f(0.3f, 0.8f, 0.5f, 1);
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glDisable(GL_BLEND);
        glBlendFunc(GL_ZERO, GL_SRC_COLOR);
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1, 1, 0);
        glEnable(GL_SCISSOR_TEST);
        glScissor(10, 10, 30, 30);
        glViewport(0, 0, 48, 48);
        quad(-1, -1, 1, 1);
        glPopAttrib();
        // Only the scissor test and the current colour of the groups below come back. (Mesa
        // restores a colour only once something was drawn with it, so something is.)
        glPushAttrib(GL_SCISSOR_BIT | GL_CURRENT_BIT);
        glEnable(GL_SCISSOR_TEST);
        glScissor(50, 50, 20, 20);
        glColor3f(0, 0, 1);
        quad(0.2f, 0.2f, 0.4f, 0.4f);
        glPopAttrib();
        quad(-0.5f, -0.5f, 0.9f, 0.9f);
        quad(-0.9f, -0.9f, 0.2f, 0.2f);
        glDisable(GL_BLEND);
        // The client's pixel store comes back too: a picture three texels wide uploaded
        // after the pop has its rows read packed tight, as set before the push.
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glPopClientAttrib();
        const uint8_t rows[24] = {255, 0,   0, 0, 255, 0,   0,   0, 255,
                                  255, 255, 0, 0, 255, 255, 255, 0, 255};
        GLuint tight = 0;
        glGenTextures(1, &tight);
        sceneTextures.push_back(tight);
        glBindTexture(GL_TEXTURE_2D, tight);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 3, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, rows);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glColor3f(1, 1, 1);
        quad(0.5f, -0.9f, 0.95f, -0.5f);
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
    }));
}

// Depth-fail counting as the meshes' shadow volumes do it: a box from an occluder's edges
// to infinity (w = 0), its back faces counting up where they fail the depth test and its
// front faces down, then the count darkening the floor.
TEST(GlesLayer, StencilVolumesCountInBothCulledPasses) {
    expectSame(bothWays(
        [] {
            perspective();
            glEnable(GL_DEPTH_TEST);
            glDepthFunc(GL_LEQUAL);
            glColor3f(0.8f, 0.7f, 0.5f);
            glBegin(GL_QUADS);
            glVertex3f(-3, -1, 2);
            glVertex3f(3, -1, 2);
            glVertex3f(3, -1, -3);
            glVertex3f(-3, -1, -3);
            glEnd();
            // The occluder's square at y = 0.5 extruded down and away from a light above.
            const float top[4][4] = {{-0.5f, 0.5f, 0.5f, 1},
                                     {0.5f, 0.5f, 0.5f, 1},
                                     {0.5f, 0.5f, -0.5f, 1},
                                     {-0.5f, 0.5f, -0.5f, 1}};
            const float away[4] = {0.3f, -1, -0.2f, 0};
            std::vector<float> sides, caps;
            for (int i = 0; i < 4; ++i) {
                const float* a = top[i];
                const float* b = top[(i + 1) % 4];
                for (const float* p : {b, a}) {
                    sides.insert(sides.end(), p, p + 4);
                }
                for (int k = 0; k < 2; ++k) {
                    sides.insert(sides.end(), away, away + 4);
                }
            }
            for (int i : {0, 1, 2, 0, 2, 3}) {
                caps.insert(caps.end(), top[i], top[i] + 4);
            }
            glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
            glEnable(GL_CULL_FACE);
            glDepthMask(GL_FALSE);
            glDepthFunc(GL_LESS);
            glEnable(GL_STENCIL_TEST);
            glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
            glEnableClientState(GL_VERTEX_ARRAY);
            for (GLenum face : {GL_FRONT, GL_BACK}) {
                glCullFace(face);
                glStencilFunc(GL_ALWAYS, 0, ~0u);
                glStencilOp(GL_KEEP, face == GL_FRONT ? GL_INCR : GL_DECR, GL_KEEP);
                glVertexPointer(4, GL_FLOAT, 0, sides.data());
                glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(sides.size() / 4));
                glVertexPointer(4, GL_FLOAT, 0, caps.data());
                glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(caps.size() / 4));
            }
            glPopClientAttrib();
            glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
            glDisable(GL_CULL_FACE);
            glCullFace(GL_BACK);
            glDepthMask(GL_TRUE);
            glDisable(GL_DEPTH_TEST);
            glStencilFunc(GL_NOTEQUAL, 0, ~0u);
            glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
            glEnable(GL_BLEND);
            glBlendFunc(GL_ZERO, GL_SRC_COLOR);
            glColor3f(0.3f, 0.3f, 0.6f);
            glLoadIdentity();
            glMatrixMode(GL_PROJECTION);
            glLoadIdentity();
            glMatrixMode(GL_MODELVIEW);
            quad(-1, -1, 1, 1);
            glDisable(GL_BLEND);
            glDisable(GL_STENCIL_TEST);
            glStencilFunc(GL_ALWAYS, 0, ~0u);
        },
        128, 128));
}

TEST(GlesLayer, CopiedPicturesAndTextureContentsAndSizesReadBack) {
    std::vector<uint8_t> readBack[2];
    GLint sizes[2][2] = {};
    int pass = 0;
    GLuint copy = 0;
    expectSame(bothWays([&] {
        const GLuint gradient = gradientTexture();

        glBindTexture(GL_TEXTURE_2D, gradient);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &sizes[pass][0]);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &sizes[pass][1]);
        readBack[pass].assign(16 * 16 * 4, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, readBack[pass].data());
        ++pass;
        // A picture drawn, copied into a texture, cleared away and drawn again turned.
        ortho();
        glEnable(GL_TEXTURE_2D);
        glColor3f(1, 0.8f, 0.6f);
        quad(-1, -1, 0.2f, 0.5f);
        glGenTextures(1, &copy);
        glBindTexture(GL_TEXTURE_2D, copy);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 0, 0, 64, 64, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glColor3f(1, 1, 1);
        glRotated(-15, 0, 0, 1);
        quad(-0.8f, -0.8f, 0.8f, 0.8f);
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
        glDeleteTextures(1, &copy);
    }));
    EXPECT_EQ(sizes[0][0], 16);
    EXPECT_EQ(sizes[1][0], 16);
    EXPECT_EQ(sizes[1][1], 16);
    EXPECT_EQ(readBack[0], readBack[1]) << "the layer's texture contents differ from GL's";
}

TEST(GlesLayer, TheBitmapFontDrawsTheSameGlyphsInThePlaceOfTheRasterPosition) {
    expectSame(bothWays(
                   [] {
                       Text text;
                       text.setPosition(0.1, -0.2);
                       text.printText("Tarvel 1.0\nfont@42 {x}");
                   },
                   400, 300),
               0.003);
}

}  // namespace
