#include "layers/morph.h"

#include <algorithm>

#include "base/log.h"

namespace {

float mix(float from, float to, float amount) {
    return from + (to - from) * amount;
}

Vector3 mix(const Vector3& from, const Vector3& to, float amount) {
    Vector3 v;
    v.x = mix(from.x, to.x, amount);
    v.y = mix(from.y, to.y, amount);
    v.z = mix(from.z, to.z, amount);
    return v;
}

}  // namespace

Morph::Morph() {
    logWindow->printBanner("Morph Object.");
}

void Morph::setStartFile(const char* path) {
    startShape = std::make_unique<NObject>();
    startShape->load3DS(path);
    startSet = true;
}

void Morph::setEndFile(const char* path) {
    endShape = std::make_unique<NObject>();
    endShape->load3DS(path);
    endSet = true;
}

void Morph::setTexture(const char* path) {
    // The loader shows its own failure; drawing then stays untextured.
    if (loader.loadJPGTexture(path, &texture)) {
        textured = true;
    }
}

void Morph::initMoprh() {
    if (!startSet) {
        logWindow->alert("Set start morph object first.");
        return;
    }
    if (!endSet) {
        logWindow->alert("Set end morph object first.");
        return;
    }
    startShape->collectFaces(startFaces);
    endShape->collectFaces(endFaces);
    ready = true;
}

MorphCorner Morph::blendCorner(const Face& start, const Face& end, int corner, float amount) {
    MorphCorner c;
    c.s = mix(start.texCoords[corner].x, end.texCoords[corner].x, amount);
    c.t = mix(start.texCoords[corner].y, end.texCoords[corner].y, amount);
    c.normal = mix(start.normals[corner], end.normals[corner], amount);
    c.position = mix(start.vertices[corner], end.vertices[corner], amount);
    return c;
}

void Morph::draw(float amount) {
    if (!ready) {
        logWindow->alert("Run initMoprh() first.");
        return;
    }
    const size_t s = startFaces.size();
    const size_t e = endFaces.size();
    // With one shape empty there is nothing to pair a face with.
    if (s == 0 || e == 0) {
        return;
    }
    const size_t n = std::max(s, e);
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
    glBegin(GL_TRIANGLES);
    for (size_t i = 0; i < n; ++i) {
        const Face& from = *startFaces[i % s];
        const Face& to = *endFaces[i % e];
        for (int j = 0; j < 3; ++j) {
            const MorphCorner c = blendCorner(from, to, j, amount);
            glTexCoord2f(c.s, c.t);
            glNormal3fv(&c.normal.x);
            glVertex3fv(&c.position.x);
        }
    }
    glEnd();
}
