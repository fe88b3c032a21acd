// One drawable triangle set of a scene object: an owned list of faces drawn in immediate mode
// in one of the shade types (flat with progressive reveal, smooth, textured, projected light
// map on two texture units, stencil shadow volume).
#pragma once

#include "render/gl/gl.h"

#include <cstddef>
#include <deque>
#include <vector>

#include "objects/face.h"
#include "objects/shade_type.h"

class Mesh {
public:
    Mesh();

    // Appends a face with copies of the three positions; the setters below act on it.
    void addFace(const Vector3 positions[3]);
    void setNormals(const Vector3 normals[3]);
    void setFaceNormal(const Vector3& normal);
    void setTexCoords(const Vector3 coords[3]);

    void setTexture(GLuint name) { texture = name; }
    void setLightTextures(GLuint name0, GLuint name1);

    // Flat drawing then shows the share progress / total of the faces.
    void setRevealTotal(double total);
    void setRevealProgress(double progress) { revealProgress = progress; }

    void scale(double factor);
    void setLightRadius(double radius);

    // The faces will not change any more: the drawings that do not depend on the light
    // (flat without reveal, smooth, textured, the light map's positions) are compiled into
    // display lists on first use (or by prepare) and replayed from then on. Changing a face
    // after this (scale, the setters) drops the lists, which are compiled again.
    void freeze();
    // Compiles now the list that drawing with this shade type replays, so its first frame
    // costs no more than the next; draws nothing. Does nothing before freeze.
    void prepare(int shadeType);
    void prepare(ShadeType shadeType) { prepare(static_cast<int>(shadeType)); }

    // Draws with the given shade type; the caller saves and restores the GL state.
    void draw(int shadeType);
    void draw(ShadeType shadeType) { draw(static_cast<int>(shadeType)); }
    // Texture with the light map multiplied in, as the two passes give under a white current
    // colour (to within rounding): where the light map's coordinates can be generated, in one
    // pass that fills each pixel once; otherwise the two passes.
    void drawTexturedLightMapped();
    // Whether the light map's coordinates can be generated: frozen, every face with one light
    // and one radius. Then Flat with the light map multiplied in draws in one pass.
    bool generatesLightMap() const;
    // Flat lit, times the light map, in one pass: each pixel takes the light map once, also
    // where two faces lie in one plane (which the two passes darken twice). Draws nothing
    // unless generatesLightMap().
    void drawFlatLightMapped();

    // Known to be a closed surface wound one way (see isClosedSurface): its back faces may
    // be culled.
    void setClosed(bool value) { closed = value; }
    bool isClosed() const { return closed; }

    size_t getFaceCount() const { return faces.size(); }
    Face& getFace(size_t i) { return faces[i]; }
    const Face& getFace(size_t i) const { return faces[i]; }
    // How many faces Flat draws now.
    size_t revealedCount() const;

private:
    void drawFlat();
    void drawSmooth();
    void drawTextured();
    void drawLightMap();
    // The light map with coordinates generated from the object-space positions: the same
    // coordinates as per corner, for a mesh whose faces share one light and one radius.
    bool drawLightMapGenerated();
    const Face* sharedLightFace() const;
    // The light texture and generated coordinates on `unit` (x and y) and the next (z); both
    // multiply what reaches them.
    void enableLightUnits(GLenum unit, const Face& shared) const;
    static void disableLightUnits(GLenum unit);
    void drawShadow();
    // The volume for the light as it stands: every side, then every cap.
    void buildShadowVolume(std::vector<float>& sides, std::vector<float>& caps) const;
    // Hands each culled pass the primitives it keeps, when the view allows sorting them.
    static bool sortVolumeByFacing();
    void shadowVolumePass(const std::vector<float>& sides, const std::vector<float>& caps) const;

    // A deque keeps every face at its address as faces are added: neighbours and the morph
    // refer to faces by pointer.
    std::deque<Face> faces;
    GLuint texture = 0;
    GLuint lightTexture0 = 0;
    GLuint lightTexture1 = 0;
    enum StaticDrawing { kFlatList, kSmoothList, kTexturedList, kPositionsList, kListCount };
    // Replays the compiled list of that drawing, compiling it first with `emit`.
    template <typename Emit>
    void callStatic(StaticDrawing drawing, Emit emit);
    template <typename Emit>
    GLuint compileStatic(StaticDrawing drawing, Emit emit);
    void emitFlat(size_t count) const;
    void emitSmooth() const;
    void emitTextured() const;
    void emitPositions() const;
    void forgetLists();

    bool frozen = false;
    bool closed = false;
    GLuint lists[kListCount] = {};
    bool revealEnabled = false;
    double revealTotal = 0;
    double revealProgress = 0;
};
