// Blends two 3D shapes read from two 3DS files: every corner, normal and texture coordinate
// lies a given fraction of the way from the start shape to the end shape. The shorter face
// list is reused cyclically.
#pragma once

#include "render/gl/gl.h"

#include <memory>
#include <vector>

#include "image/utility.h"
#include "objects/face.h"
#include "objects/nobject.h"

// One blended corner, in the order draw emits it.
struct MorphCorner {
    float s, t;
    Vector3 normal;
    Vector3 position;
};

class Morph {
public:
    Morph();

    void setStartFile(const char* path);
    void setEndFile(const char* path);
    void setTexture(const char* path);
    // Gathers the faces of both shapes; draw refuses to run before it.
    void initMoprh();
    void draw(float amount);

    // Corner j of start + (end − start) × amount, component by component in single precision.
    static MorphCorner blendCorner(const Face& start, const Face& end, int corner, float amount);

    size_t startFaceCount() const { return startFaces.size(); }
    size_t endFaceCount() const { return endFaces.size(); }

private:
    Utility loader;
    GLuint texture = 0;
    bool textured = false;
    std::unique_ptr<NObject> startShape;
    std::unique_ptr<NObject> endShape;
    std::vector<Face*> startFaces;
    std::vector<Face*> endFaces;
    bool ready = false;
    bool startSet = false;
    bool endSet = false;
};
