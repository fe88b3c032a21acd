// The material and light 0 that the model layers set on every draw, after their camera (so
// the light position is in world coordinates).
#pragma once

#include "render/gl/gl.h"

#include "camera/camera.h"
#include "render/gl_state.h"

// Front and back faces take the same material.
inline void applyMaterial(const GLfloat ambient[4], const GLfloat diffuse[4],
                          const GLfloat specular[4], GLfloat shininess) {
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, shininess);
}

struct ModelLighting {
    GLfloat materialAmbient[4];
    GLfloat materialDiffuse[4];
    GLfloat materialSpecular[4];
    GLfloat shininess;
    GLfloat lightAmbient[4];
    GLfloat lightDiffuse[4];
    GLfloat lightSpecular[4];
    GLfloat lightPosition[4];

    void apply() const {
        applyMaterial(materialAmbient, materialDiffuse, materialSpecular, shininess);
        glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
        glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
        glLightfv(GL_LIGHT0, GL_POSITION, lightPosition);
    }
};

// The morphing model and the turntable share one set.
inline constexpr ModelLighting kSceneModelLighting = {
    {0.3f, 0.3f, 0.3f, 1}, {0.4f, 0.4f, 0.4f, 1},
    {0.4f, 0.4f, 0.4f, 1}, 30,
    {0.3f, 0.3f, 0.3f, 1}, {0.7f, 0.7f, 0.7f, 1},
    {1, 1, 1, 1},          {10.63f, -40.18f, 21.94f, 0.4f}};

// The title words are brighter and shinier.
inline constexpr ModelLighting kTextModelLighting = {
    {0.4f, 0.4f, 0.4f, 1}, {0.7f, 0.7f, 0.7f, 1}, {1, 1, 1, 1}, 30,
    {0.3f, 0.3f, 0.3f, 1}, {0.7f, 0.7f, 0.7f, 1}, {1, 1, 1, 1}, {10.63f, -40.18f, 21.94f, 0.7f}};

// The state the scene's model layers draw in, for the scope's life: attributes and the
// model-view saved, the frame's camera looking, the lighting set on, light 0 lit.
class LitSceneScope {
public:
    LitSceneScope(const ModelLighting& lighting, const Camera* camera) {
        glLoadIdentity();
        if (camera) {
            camera->lookAt();
        }
        lighting.apply();
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
    }

private:
    SavedState saved_;
};
