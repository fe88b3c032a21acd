#include "objects/mesh.h"

#include <GL/glext.h>

#include <cmath>

#include "objects/multitexture.h"
#include "shell/log_window.h"

Mesh::Mesh() {
    logWindow->printBanner("Mesh Object.");
}

void Mesh::addFace(const Vector3 positions[3]) {
    faces.emplace_back();
    faces.back().setPositions(positions);
}

// The setters act on the newest face; before the first addFace there is none to set.
void Mesh::setNormals(const Vector3 normals[3]) {
    if (!faces.empty()) {
        faces.back().setNormals(normals);
    }
}

void Mesh::setFaceNormal(const Vector3& normal) {
    if (!faces.empty()) {
        faces.back().setFaceNormal(normal);
    }
}

void Mesh::setTexCoords(const Vector3 coords[3]) {
    if (!faces.empty()) {
        faces.back().setTexCoords(coords);
    }
}

void Mesh::setLightTextures(GLuint name0, GLuint name1) {
    lightTexture0 = name0;
    lightTexture1 = name1;
}

void Mesh::setRevealTotal(double total) {
    revealTotal = total;
    revealEnabled = true;
}

void Mesh::scale(double factor) {
    for (Face& face : faces) {
        face.scale(factor);
    }
}

void Mesh::setLightRadius(double radius) {
    for (Face& face : faces) {
        face.lightRadius = static_cast<float>(radius);
    }
}

size_t Mesh::revealedCount() const {
    const size_t count = faces.size();
    if (!revealEnabled) {
        return count;
    }
    const double share = 1.0 / revealTotal * revealProgress * static_cast<double>(count);
    // Also catches NaN (a zero total with zero progress): nothing is drawn.
    if (!(share > 0)) {
        return 0;
    }
    if (share >= static_cast<double>(count)) {
        return count;
    }
    return static_cast<size_t>(std::trunc(share));
}

void Mesh::draw(int shadeType) {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    switch (static_cast<ShadeType>(shadeType)) {
        case ShadeType::Flat:
            drawFlat();
            break;
        case ShadeType::Smooth:
            drawSmooth();
            break;
        case ShadeType::Texture:
            drawTextured();
            break;
        case ShadeType::LightMap:
            drawLightMap();
            break;
        case ShadeType::Shadow:
            drawShadow();
            break;
        default:
            logWindow->alert("No such shade type: %d", shadeType);
            break;
    }
}

void Mesh::drawFlat() {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    const size_t n = revealedCount();
    glBegin(GL_TRIANGLES);
    for (size_t i = 0; i < n; ++i) {
        faces[i].emitFlat();
    }
    glEnd();
}

void Mesh::drawSmooth() {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glBegin(GL_TRIANGLES);
    for (const Face& face : faces) {
        face.emitSmooth();
    }
    glEnd();
}

void Mesh::drawTextured() {
    // A texture that failed to load leaves name 0: the faces draw in their plain colour.
    if (texture != 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
    glBegin(GL_TRIANGLES);
    for (const Face& face : faces) {
        face.emitTextured();
    }
    glEnd();
}

// Multiplies what is already in the frame buffer by the light texture, projected from the
// light: unit 0 attenuates in x and y, unit 1 in z.
void Mesh::drawLightMap() {
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    selectTextureUnit(GL_TEXTURE0_ARB);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, lightTexture0);
    selectTextureUnit(GL_TEXTURE1_ARB);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, lightTexture1);
    glBegin(GL_TRIANGLES);
    for (const Face& face : faces) {
        face.emitLightMapped();
    }
    glEnd();
    // Unit 1 stays enabled for the caller's attribute restore; unit 0 is selected again so
    // later texture calls in the same attribute scope act where they expect.
    selectTextureUnit(GL_TEXTURE0_ARB);
}

// Depth-fail stencil counting: back faces of the volume increment where they fail the depth
// test, front faces decrement, so a non-zero count marks a point inside the shadow. Nothing
// reaches the colour buffer.
void Mesh::drawShadow() {
    glEnable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_LESS);
    glEnable(GL_STENCIL_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);

    glStencilFunc(GL_ALWAYS, 0, ~0u);
    glStencilOp(GL_KEEP, GL_INCR, GL_KEEP);
    glCullFace(GL_FRONT);
    shadowVolumePass();

    glCullFace(GL_BACK);
    glStencilFunc(GL_ALWAYS, 0, ~0u);
    glStencilOp(GL_KEEP, GL_DECR, GL_KEEP);
    shadowVolumePass();

    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void Mesh::shadowVolumePass() {
    for (const Face& face : faces) {
        if (face.facing) {
            face.drawSides();
        }
    }
    for (const Face& face : faces) {
        face.drawCap();
    }
}
