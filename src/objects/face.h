// One triangle of a mesh with its own copies of corner positions, vertex normals and texture
// coordinates, plus what the lighting effects need: the shared light vector, the neighbours
// across its edges for shadow volumes, and whether it faces the light.
#pragma once

#include <vector>

#include "objects/vector3.h"

// Texture coordinates of one corner on the two light-map units.
struct LightMapCoords {
    float s, t;  // unit 0: attenuation in x and y
    float p, q;  // unit 1: attenuation in z (q is always 0.5)
};

class Face {
public:
    static constexpr float kDefaultLightRadius = 50.0f;

    void setPositions(const Vector3 positions[3]);
    void setNormals(const Vector3 normals[3]);
    void setFaceNormal(const Vector3& normal) { faceNormal = normal; }
    void setTexCoords(const Vector3 coords[3]);
    void setNeighbours(Face* across01, Face* across12, Face* across20);
    void setLight(const Vector3* vector) { light = vector; }
    void scale(double factor);

    // facing = (light − vertices[0]) · faceNormal > 0; a face without a light faces nothing.
    void updateFacing();
    // The light position in object space; the origin while no light vector is set.
    Vector3 lightPosition() const;
    LightMapCoords lightMapCoords(int corner) const;

    // Immediate-mode drawing steps; the caller opens the GL_TRIANGLES primitive for the first
    // four and sets every piece of GL state.
    void emitFlat() const;
    void emitSmooth() const;
    void emitTextured() const;
    void emitLightMapped() const;
    // Shadow volume, as homogeneous points (x, y, z, w) appended to a list: one quad per
    // silhouette edge (neighbour not facing the light), extruded to infinity away from the
    // light; and the cap: the face itself when it faces the light, else its projection to
    // infinity.
    void appendSides(std::vector<float>& quads) const;
    void appendCap(std::vector<float>& triangles) const;

    Vector3 vertices[3]{};
    Vector3 normals[3]{};
    Vector3 texCoords[3]{};  // s, t in x, y; z = 0
    bool hasTexCoords = false;
    Vector3 faceNormal{};
    Face* neighbours[3] = {nullptr, nullptr, nullptr};
    const Vector3* light = nullptr;
    float lightRadius = kDefaultLightRadius;
    bool facing = false;
};
