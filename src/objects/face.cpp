#include "objects/face.h"

#include "render/gl/gl.h"

void Face::setPositions(const Vector3 positions[3]) {
    for (int i = 0; i < 3; ++i) {
        vertices[i] = positions[i];
    }
}

void Face::setNormals(const Vector3 values[3]) {
    for (int i = 0; i < 3; ++i) {
        normals[i] = values[i];
    }
}

void Face::setTexCoords(const Vector3 coords[3]) {
    for (int i = 0; i < 3; ++i) {
        texCoords[i] = coords[i];
    }
    hasTexCoords = true;
}

void Face::setNeighbours(Face* across01, Face* across12, Face* across20) {
    neighbours[0] = across01;
    neighbours[1] = across12;
    neighbours[2] = across20;
}

void Face::scale(double factor) {
    for (Vector3& v : vertices) {
        v *= factor;
    }
}

void Face::updateFacing() {
    facing = light != nullptr && (*light - vertices[0]).dot(faceNormal) > 0;
}

Vector3 Face::lightPosition() const {
    return light != nullptr ? *light : Vector3(0, 0, 0);
}

LightMapCoords Face::lightMapCoords(int corner) const {
    const Vector3& v = vertices[corner];
    const Vector3 l = lightPosition();
    const float r = lightRadius;
    return {(v.x - l.x) / r + 0.5f, (v.y - l.y) / r + 0.5f, (v.z - l.z) / r + 0.5f, 0.5f};
}

void Face::emitFlat() const {
    glNormal3fv(&faceNormal.x);
    for (const Vector3& v : vertices) {
        glVertex3fv(&v.x);
    }
}

void Face::emitSmooth() const {
    for (int i = 0; i < 3; ++i) {
        glNormal3fv(&normals[i].x);
        glVertex3fv(&vertices[i].x);
    }
}

void Face::emitTextured() const {
    for (int i = 0; i < 3; ++i) {
        // Faces read without texture coordinates keep whatever coordinate is current.
        if (hasTexCoords) {
            glTexCoord2fv(&texCoords[i].x);
        }
        glNormal3fv(&normals[i].x);
        glVertex3fv(&vertices[i].x);
    }
}

void Face::emitLightMapped() const {
    for (int i = 0; i < 3; ++i) {
        const LightMapCoords c = lightMapCoords(i);
        glMultiTexCoord2f(GL_TEXTURE1_ARB, c.p, c.q);
        glMultiTexCoord2f(GL_TEXTURE0_ARB, c.s, c.t);
        glVertex3fv(&vertices[i].x);
    }
}

namespace {

void appendPoint(std::vector<float>& out, const Vector3& v) {
    out.insert(out.end(), {v.x, v.y, v.z, 1.0f});
}

// A point pushed to infinity along the ray from the light through it.
void appendAtInfinity(std::vector<float>& out, const Vector3& v, const Vector3& l) {
    out.insert(out.end(), {v.x - l.x, v.y - l.y, v.z - l.z, 0.0f});
}

}  // namespace

void Face::appendSides(std::vector<float>& quads) const {
    const Vector3 l = lightPosition();
    for (int edge = 0; edge < 3; ++edge) {
        const Face* other = neighbours[edge];
        if (other == nullptr || other->facing) {
            continue;
        }
        const Vector3& a = vertices[edge];
        const Vector3& b = vertices[(edge + 1) % 3];
        appendPoint(quads, b);
        appendPoint(quads, a);
        appendAtInfinity(quads, a, l);
        appendAtInfinity(quads, b, l);
    }
}

void Face::appendCap(std::vector<float>& triangles) const {
    if (facing) {
        for (const Vector3& v : vertices) {
            appendPoint(triangles, v);
        }
    } else {
        const Vector3 l = lightPosition();
        for (const Vector3& v : vertices) {
            appendAtInfinity(triangles, v, l);
        }
    }
}
