#include "objects/model_mesh.h"

#include <algorithm>
#include <cassert>

#include "objects/vec_math.h"

IndexedTriangle ModelMesh::GetTriangle(size_t i) const {
    return i < triangles_.size() ? triangles_[i] : IndexedTriangle{};
}

MeshTriangle& ModelMesh::GetMeshTriangle(size_t i) {
    assert(i < meshTriangles_.size() && "face index out of range");
    return meshTriangles_[i];
}

ExpandedTriangle ModelMesh::GetExpandedTriangle(size_t i) const {
    ExpandedTriangle out;
    if (i >= meshTriangles_.size()) {
        return out;
    }
    const MeshTriangle& face = meshTriangles_[i];
    const uint16_t corners[3] = {face.a, face.b, face.c};
    for (int k = 0; k < 3; ++k) {
        out.positions[k] = GetVertex(corners[k]);
        out.normals[k] = GetNormal(corners[k]);
        out.uvs[k] = GetUv(corners[k]);
    }
    out.faceNormal = vec_math::faceNormal(out.positions[0], out.positions[1], out.positions[2]);
    out.material = face.material;
    return out;
}

size_t ModelMesh::AddMaterial(uint32_t id) {
    materials_.push_back(id);
    return materials_.size() - 1;
}

void ModelMesh::SetVertexCount(size_t count) {
    count = std::min(count, kMaxVertices);
    positions_.resize(count);
    normals_.resize(count);
    binormals_.resize(count);
    tangents_.resize(count);
    uvs_.resize(count);
}

void ModelMesh::SetVertex(size_t i, const Vec4f& position) {
    if (i < positions_.size()) {
        positions_[i] = position;
    }
}

void ModelMesh::SetUv(size_t i, const Vec2f& uv) {
    if (i < uvs_.size()) {
        uvs_[i] = uv;
    }
}

void ModelMesh::SetTriangleCount(size_t count) {
    triangles_.resize(count);
    meshTriangles_.resize(count);
}

void ModelMesh::SetTriangle(size_t i, uint16_t a, uint16_t b, uint16_t c) {
    if (i >= triangles_.size()) {
        return;
    }
    triangles_[i] = IndexedTriangle{a, b, c};
    MeshTriangle& face = meshTriangles_[i];
    face.a = a;
    face.b = b;
    face.c = c;
    face.smoothing = 1;
}

void ModelMesh::SetSmoothing(size_t i, uint32_t mask) {
    if (i < meshTriangles_.size()) {
        meshTriangles_[i].smoothing = mask;
    }
}

void ModelMesh::SetTriangleMaterial(size_t i, uint32_t material) {
    if (i < meshTriangles_.size()) {
        meshTriangles_[i].material = material;
    }
}

size_t ModelMesh::RemoveInvalidTriangles() {
    const size_t vertexCount = positions_.size();
    size_t kept = 0;
    for (size_t i = 0; i < meshTriangles_.size(); ++i) {
        const MeshTriangle& face = meshTriangles_[i];
        if (face.a < vertexCount && face.b < vertexCount && face.c < vertexCount) {
            meshTriangles_[kept] = face;
            triangles_[kept] = triangles_[i];
            ++kept;
        }
    }
    const size_t removed = meshTriangles_.size() - kept;
    SetTriangleCount(kept);
    return removed;
}
