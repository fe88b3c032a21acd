// ModelMesh's post-processing passes: normals with smoothing groups, tangents and binormals.
#include <algorithm>
#include <utility>

#include "objects/model_mesh.h"
#include "objects/vec_math.h"

namespace {

// A vector of each face added to its three corners, in face order: exactly what the
// per-vertex face lists hold, summed.
std::vector<Vec3f> cornerSums(const std::vector<MeshTriangle>& faces, size_t vertexCount,
                              Vec3f MeshTriangle::*vector) {
    std::vector<Vec3f> sums(vertexCount);
    for (const MeshTriangle& face : faces) {
        for (const uint16_t corner : {face.a, face.b, face.c}) {
            sums[corner] = vec_math::add(sums[corner], face.*vector);
        }
    }
    return sums;
}

}  // namespace

ModelMesh::FaceLists ModelMesh::buildFaceLists() const {
    FaceLists lists;
    const size_t vertexCount = positions_.size();
    lists.offsets.assign(vertexCount + 1, 0);
    for (const MeshTriangle& face : meshTriangles_) {
        ++lists.offsets[face.a + 1];
        ++lists.offsets[face.b + 1];
        ++lists.offsets[face.c + 1];
    }
    for (size_t v = 0; v < vertexCount; ++v) {
        lists.offsets[v + 1] += lists.offsets[v];
    }
    lists.faces.resize(lists.offsets[vertexCount]);
    std::vector<uint32_t> fill(lists.offsets.begin(), lists.offsets.end() - 1);
    for (size_t f = 0; f < meshTriangles_.size(); ++f) {
        const MeshTriangle& face = meshTriangles_[f];
        lists.faces[fill[face.a]++] = static_cast<uint32_t>(f);
        lists.faces[fill[face.b]++] = static_cast<uint32_t>(f);
        lists.faces[fill[face.c]++] = static_cast<uint32_t>(f);
    }
    return lists;
}

uint16_t ModelMesh::appendCopyOf(uint16_t vertex) {
    positions_.push_back(positions_[vertex]);
    normals_.push_back(normals_[vertex]);
    uvs_.push_back(uvs_[vertex]);
    tangents_.push_back(tangents_[vertex]);
    binormals_.push_back(binormals_[vertex]);
    return static_cast<uint16_t>(positions_.size() - 1);
}

// Faces around one vertex that carry different masks (compared for equality, not shared bits)
// get their own copy of the vertex, one per mask in the order the masks are first met. Masks
// are looked up in a sorted list, so a vertex shared by many differently masked faces costs
// n log n. Once the 16-bit index space is full the remaining groups keep the original vertex
// rather than wrapping an index.
void ModelMesh::splitBySmoothingGroups() {
    const FaceLists lists = buildFaceLists();
    const size_t originalCount = positions_.size();
    struct Group {
        uint32_t mask;
        uint32_t firstSeen;
        uint16_t vertex;
    };
    std::vector<Group> groups;
    std::vector<Group*> byFirstSeen;
    for (size_t v = 0; v < originalCount; ++v) {
        const uint32_t begin = lists.offsets[v];
        const uint32_t end = lists.offsets[v + 1];
        if (!hasMixedMasks(lists, begin, end)) {
            continue;
        }
        const uint16_t original = static_cast<uint16_t>(v);
        groups.clear();
        for (uint32_t k = begin; k < end; ++k) {
            groups.push_back({meshTriangles_[lists.faces[k]].smoothing, k, original});
        }
        std::sort(groups.begin(), groups.end(), [](const Group& l, const Group& r) {
            return l.mask != r.mask ? l.mask < r.mask : l.firstSeen < r.firstSeen;
        });
        groups.erase(std::unique(groups.begin(), groups.end(),
                                 [](const Group& l, const Group& r) { return l.mask == r.mask; }),
                     groups.end());
        byFirstSeen.clear();
        for (Group& group : groups) {
            byFirstSeen.push_back(&group);
        }
        std::sort(byFirstSeen.begin(), byFirstSeen.end(),
                  [](const Group* l, const Group* r) { return l->firstSeen < r->firstSeen; });
        for (size_t g = 1; g < byFirstSeen.size() && positions_.size() < kMaxVertices; ++g) {
            byFirstSeen[g]->vertex = appendCopyOf(original);
        }
        for (uint32_t k = begin; k < end; ++k) {
            MeshTriangle& face = meshTriangles_[lists.faces[k]];
            const auto found = std::lower_bound(
                groups.begin(), groups.end(), face.smoothing,
                [](const Group& group, uint32_t mask) { return group.mask < mask; });
            replaceCorner(face, original, found->vertex);
        }
    }
}

bool ModelMesh::hasMixedMasks(const FaceLists& lists, uint32_t begin, uint32_t end) const {
    for (uint32_t k = begin + 1; k < end; ++k) {
        if (meshTriangles_[lists.faces[k]].smoothing !=
            meshTriangles_[lists.faces[begin]].smoothing) {
            return true;
        }
    }
    return false;
}

void ModelMesh::replaceCorner(MeshTriangle& face, uint16_t from, uint16_t to) {
    if (face.a == from) {
        face.a = to;
    }
    if (face.b == from) {
        face.b = to;
    }
    if (face.c == from) {
        face.c = to;
    }
}

void ModelMesh::ComputeNormals(bool useSmoothingGroups) {
    for (MeshTriangle& face : meshTriangles_) {
        face.normal =
            vec_math::faceNormal(positions_[face.a], positions_[face.b], positions_[face.c]);
    }
    if (useSmoothingGroups) {
        splitBySmoothingGroups();
    }
    const std::vector<Vec3f> sums =
        cornerSums(meshTriangles_, positions_.size(), &MeshTriangle::normal);
    for (size_t v = 0; v < sums.size(); ++v) {
        normals_[v] = vec_math::normalize(sums[v]);
    }
    for (size_t f = 0; f < meshTriangles_.size(); ++f) {
        const MeshTriangle& face = meshTriangles_[f];
        triangles_[f] = IndexedTriangle{face.a, face.b, face.c};
    }
}

// Degenerate uv mappings divide by zero and give non-finite tangents; they are kept as they
// come out (float division does not trap), and nothing downstream converts them to integers.
void ModelMesh::ComputeTangents() {
    for (MeshTriangle& face : meshTriangles_) {
        const Vec4f& p0 = positions_[face.a];
        const Vec4f& p1 = positions_[face.b];
        const Vec4f& p2 = positions_[face.c];
        const Vec2f& t0 = uvs_[face.a];
        const Vec2f& t1 = uvs_[face.b];
        const Vec2f& t2 = uvs_[face.c];
        const float p0k[3] = {p0.x, p0.y, p0.z};
        const float p1k[3] = {p1.x, p1.y, p1.z};
        const float p2k[3] = {p2.x, p2.y, p2.z};
        float tangent[3];
        float binormal[3];
        for (int k = 0; k < 3; ++k) {
            const Vec3f e1{p1k[k] - p0k[k], t1.u - t0.u, t1.v - t0.v};
            const Vec3f e2{p2k[k] - p0k[k], t2.u - t0.u, t2.v - t0.v};
            const Vec3f c = vec_math::cross(e1, e2);
            tangent[k] = -c.y / c.x;
            binormal[k] = -c.z / c.x;
        }
        face.tangent = {tangent[0], tangent[1], tangent[2]};
        face.binormal = {binormal[0], binormal[1], binormal[2]};
    }
    const std::vector<Vec3f> sums =
        cornerSums(meshTriangles_, positions_.size(), &MeshTriangle::tangent);
    for (size_t v = 0; v < sums.size(); ++v) {
        tangents_[v] = vec_math::normalize(sums[v]);
        binormals_[v] = vec_math::normalize(vec_math::cross(tangents_[v], normals_[v]));
    }
}
