#include "objects/mesh.h"

#include "render/gl/gl.h"

#include <cmath>

#include "base/log.h"
#include "objects/volume_facing.h"
#include "render/gl_entry_points.h"
#include "render/gl_state.h"

Mesh::Mesh() {
    logWindow->printBanner("Mesh Object.");
}

void Mesh::freeze() {
    frozen = true;
}

void Mesh::forgetLists() {
    for (GLuint& list : lists) {
        if (list != 0) {
            glDeleteLists(list, 1);
            list = 0;
        }
    }
}

template <typename Emit>
GLuint Mesh::compileStatic(StaticDrawing drawing, Emit emit) {
    GLuint& list = lists[drawing];
    if (list == 0) {
        list = glGenLists(1);
        glNewList(list, GL_COMPILE);
        emit();
        glEndList();
    }
    return list;
}

template <typename Emit>
void Mesh::callStatic(StaticDrawing drawing, Emit emit) {
    glCallList(compileStatic(drawing, emit));
}

void Mesh::prepare(int shadeType) {
    if (!frozen) {
        return;
    }
    switch (static_cast<ShadeType>(shadeType)) {
        case ShadeType::Flat:
            if (!revealEnabled) {
                compileStatic(kFlatList, [this] { emitFlat(faces.size()); });
            }
            break;
        case ShadeType::Smooth:
            compileStatic(kSmoothList, [this] { emitSmooth(); });
            break;
        case ShadeType::Texture:
            compileStatic(kTexturedList, [this] { emitTextured(); });
            break;
        case ShadeType::LightMap:
            if (sharedLightFace() != nullptr) {
                compileStatic(kPositionsList, [this] { emitPositions(); });
            }
            break;
        default:
            break;
    }
}

void Mesh::emitFlat(size_t count) const {
    glBegin(GL_TRIANGLES);
    for (size_t i = 0; i < count; ++i) {
        faces[i].emitFlat();
    }
    glEnd();
}

void Mesh::emitSmooth() const {
    glBegin(GL_TRIANGLES);
    for (const Face& face : faces) {
        face.emitSmooth();
    }
    glEnd();
}

void Mesh::emitTextured() const {
    glBegin(GL_TRIANGLES);
    for (const Face& face : faces) {
        face.emitTextured();
    }
    glEnd();
}

void Mesh::emitPositions() const {
    glBegin(GL_TRIANGLES);
    for (const Face& face : faces) {
        for (const Vector3& v : face.vertices) {
            glVertex3fv(&v.x);
        }
    }
    glEnd();
}

void Mesh::addFace(const Vector3 positions[3]) {
    forgetLists();
    faces.emplace_back();
    faces.back().setPositions(positions);
}

// The setters act on the newest face; before the first addFace there is none to set.
void Mesh::setNormals(const Vector3 normals[3]) {
    forgetLists();
    if (!faces.empty()) {
        faces.back().setNormals(normals);
    }
}

void Mesh::setFaceNormal(const Vector3& normal) {
    forgetLists();
    if (!faces.empty()) {
        faces.back().setFaceNormal(normal);
    }
}

void Mesh::setTexCoords(const Vector3 coords[3]) {
    forgetLists();
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
    forgetLists();
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
    auto emit = [this, n] { emitFlat(n); };
    if (frozen && !revealEnabled) {
        callStatic(kFlatList, emit);
    } else {
        emit();
    }
}

void Mesh::drawSmooth() {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    auto emit = [this] { emitSmooth(); };
    if (frozen) {
        callStatic(kSmoothList, emit);
    } else {
        emit();
    }
}

void Mesh::drawTextured() {
    // A texture that failed to load leaves name 0: the faces draw in their plain colour.
    if (texture != 0) {
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture);
    }
    auto emit = [this] { emitTextured(); };
    if (frozen) {
        callStatic(kTexturedList, emit);
    } else {
        emit();
    }
}

// Multiplies what is already in the frame buffer by the light texture, projected from the
// light: unit 0 attenuates in x and y, unit 1 in z.
void Mesh::drawLightMap() {
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glActiveTexture(GL_TEXTURE0_ARB);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, lightTexture0);
    glActiveTexture(GL_TEXTURE1_ARB);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, lightTexture1);
    if (!drawLightMapGenerated()) {
        glBegin(GL_TRIANGLES);
        for (const Face& face : faces) {
            face.emitLightMapped();
        }
        glEnd();
    }
    // Unit 1 stays enabled for the caller's attribute restore; unit 0 is selected again so
    // later texture calls in the same attribute scope act where they expect.
    glActiveTexture(GL_TEXTURE0_ARB);
}

// The face whose light and radius every face shares, or none.
const Face* Mesh::sharedLightFace() const {
    if (faces.empty()) {
        return nullptr;
    }
    const Face& first = faces.front();
    for (const Face& face : faces) {
        if (face.light != first.light || face.lightRadius != first.lightRadius) {
            return nullptr;
        }
    }
    return &first;
}

namespace {

// Object-linear coordinate generation: coordinate = plane · (x, y, z, 1).
void generateCoordinate(GLenum coordinate, const GLfloat plane[4]) {
    glTexGeni(coordinate, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
    glTexGenfv(coordinate, GL_OBJECT_PLANE, plane);
    glEnable(coordinate == GL_S ? GL_TEXTURE_GEN_S : GL_TEXTURE_GEN_T);
}

}  // namespace

void Mesh::enableLightUnits(GLenum unit, const Face& shared) const {
    // s = (x − L.x) / r + 0.5 and so on, as the per-corner coordinates are worked out.
    const Vector3 l = shared.lightPosition();
    const float inverse = 1.0f / shared.lightRadius;
    const GLfloat firstS[4] = {inverse, 0, 0, 0.5f - l.x * inverse};
    const GLfloat firstT[4] = {0, inverse, 0, 0.5f - l.y * inverse};
    const GLfloat secondS[4] = {0, 0, inverse, 0.5f - l.z * inverse};
    const GLfloat secondT[4] = {0, 0, 0, 0.5f};
    glActiveTexture(unit);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, lightTexture0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    generateCoordinate(GL_S, firstS);
    generateCoordinate(GL_T, firstT);
    glActiveTexture(unit + 1);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, lightTexture1);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    generateCoordinate(GL_S, secondS);
    generateCoordinate(GL_T, secondT);
}

// Generation off again: the next mesh of the object may give its corners' own coordinates.
// The textures stay enabled for the caller's attribute restore.
void Mesh::disableLightUnits(GLenum unit) {
    for (GLenum u : {unit + 1, unit}) {
        glActiveTexture(u);
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
    }
    glActiveTexture(GL_TEXTURE0_ARB);
}

bool Mesh::drawLightMapGenerated() {
    const Face* shared = frozen ? sharedLightFace() : nullptr;
    if (shared == nullptr) {
        return false;
    }
    enableLightUnits(GL_TEXTURE0_ARB, *shared);
    callStatic(kPositionsList, [this] { emitPositions(); });
    disableLightUnits(GL_TEXTURE0_ARB);
    return true;
}

void Mesh::drawTexturedLightMapped() {
    const Face* shared = frozen ? sharedLightFace() : nullptr;
    if (shared == nullptr) {
        draw(ShadeType::Texture);
        draw(ShadeType::LightMap);
        return;
    }
    // The surface's own texture keeps unit 0 and its environment; the light map's units
    // multiply, as the blend of the second pass did.
    const GLenum lightUnit = texture != 0 ? GL_TEXTURE1_ARB : GL_TEXTURE0_ARB;
    enableLightUnits(lightUnit, *shared);
    glActiveTexture(GL_TEXTURE0_ARB);
    draw(ShadeType::Texture);
    disableLightUnits(lightUnit);
}

bool Mesh::generatesLightMap() const {
    return frozen && sharedLightFace() != nullptr;
}

void Mesh::drawFlatLightMapped() {
    const Face* shared = frozen ? sharedLightFace() : nullptr;
    if (shared == nullptr) {
        return;
    }
    enableLightUnits(GL_TEXTURE0_ARB, *shared);
    glActiveTexture(GL_TEXTURE0_ARB);
    draw(ShadeType::Flat);
    disableLightUnits(GL_TEXTURE0_ARB);
}

namespace {

// The shadow volume of the mesh being drawn: rebuilt on every draw, so the meshes share one
// set of buffers (drawing is on the main thread only).
struct ShadowVolume {
    std::vector<float> sides;  // quads of homogeneous points
    std::vector<float> caps;   // triangles
    // The same sorted by the side they turn to the eye (edge-on ones in both).
    std::vector<float> frontSides, frontCaps, backSides, backCaps;
};

ShadowVolume& shadowVolume() {
    static ShadowVolume volume;
    return volume;
}

}  // namespace

// Depth-fail stencil counting: back faces of the volume increment where they fail the depth
// test, front faces decrement, so a non-zero count marks a point inside the shadow. Nothing
// reaches the colour buffer. Within one pass every fragment does the same operation, so the
// count does not depend on the order the volume's pieces are drawn in. The counts wrap where
// the driver can: a leaking volume (more of its front faces than back ones fail somewhere)
// then leaves a non-zero count there, where a count clamped at 0 would lose the excess. Two
// passes each culling the other faces cost llvmpipe less than one two-sided pass.
void Mesh::drawShadow() {
    ShadowVolume& volume = shadowVolume();
    buildShadowVolume(volume.sides, volume.caps);
    ClientAttributeScope arrays(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnable(GL_CULL_FACE);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glDepthFunc(GL_LESS);
    glEnable(GL_STENCIL_TEST);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);

    const bool sorted = sortVolumeByFacing();
    glStencilFunc(GL_ALWAYS, 0, ~0u);
    glStencilOp(GL_KEEP, stencilWrapAvailable ? GL_INCR_WRAP : GL_INCR, GL_KEEP);
    glCullFace(GL_FRONT);
    shadowVolumePass(sorted ? volume.backSides : volume.sides,
                     sorted ? volume.backCaps : volume.caps);

    glCullFace(GL_BACK);
    glStencilFunc(GL_ALWAYS, 0, ~0u);
    glStencilOp(GL_KEEP, stencilWrapAvailable ? GL_DECR_WRAP : GL_DECR, GL_KEEP);
    shadowVolumePass(sorted ? volume.frontSides : volume.sides,
                     sorted ? volume.frontCaps : volume.caps);

    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void Mesh::buildShadowVolume(std::vector<float>& sides, std::vector<float>& caps) const {
    sides.clear();
    caps.clear();
    for (const Face& face : faces) {
        if (face.facing) {
            face.appendSides(sides);
        }
    }
    for (const Face& face : faces) {
        face.appendCap(caps);
    }
}

bool Mesh::sortVolumeByFacing() {
    VolumeFacing facing;
    if (!facing.fromCurrentView()) {
        return false;
    }
    ShadowVolume& volume = shadowVolume();
    for (auto* list :
         {&volume.frontSides, &volume.frontCaps, &volume.backSides, &volume.backCaps}) {
        list->clear();
    }
    constexpr size_t kQuadFloats = 16, kTriangleFloats = 12;
    for (size_t i = 0; i + kQuadFloats <= volume.sides.size(); i += kQuadFloats) {
        facing.sort(&volume.sides[i], 4, volume.frontSides, volume.backSides);
    }
    for (size_t i = 0; i + kTriangleFloats <= volume.caps.size(); i += kTriangleFloats) {
        facing.sort(&volume.caps[i], 3, volume.frontCaps, volume.backCaps);
    }
    return true;
}

void Mesh::shadowVolumePass(const std::vector<float>& sides, const std::vector<float>& caps) const {
    glEnableClientState(GL_VERTEX_ARRAY);
    constexpr GLint kPointFloats = 4;
    glVertexPointer(kPointFloats, GL_FLOAT, 0, sides.data());
    glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(sides.size() / kPointFloats));
    glVertexPointer(kPointFloats, GL_FLOAT, 0, caps.data());
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(caps.size() / kPointFloats));
}
