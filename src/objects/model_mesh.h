// A triangle mesh of a 3DS model: per-vertex positions, normals, tangents, binormals and uvs,
// per-face indices with smoothing masks, the local axes and the ids of its material groups.
// Indices are 16 bits wide, so a mesh never holds more than kMaxVertices vertices.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "objects/model_item.h"
#include "objects/model_types.h"

class ModelMesh : public ModelItem {
public:
    static constexpr size_t kMaxVertices = 65535;

    size_t GetVertexCount() const { return positions_.size(); }
    size_t GetTriangleCount() const { return triangles_.size(); }

    IndexedTriangle GetTriangle(size_t i) const;
    MeshTriangle& GetMeshTriangle(size_t i);
    // Corner data of face i gathered in one record; a zero record when i is out of range.
    ExpandedTriangle GetExpandedTriangle(size_t i) const;

    Vec4f GetVertex(size_t i) const { return i < positions_.size() ? positions_[i] : Vec4f{}; }
    Vec3f GetNormal(size_t i) const { return i < normals_.size() ? normals_[i] : Vec3f{}; }
    Vec3f GetTangent(size_t i) const { return i < tangents_.size() ? tangents_[i] : Vec3f{}; }
    Vec3f GetBinormal(size_t i) const { return i < binormals_.size() ? binormals_[i] : Vec3f{}; }
    Vec2f GetUv(size_t i) const { return i < uvs_.size() ? uvs_[i] : Vec2f{}; }

    size_t GetMaterialCount() const { return materials_.size(); }
    uint32_t GetMaterial(size_t i) const { return i < materials_.size() ? materials_[i] : 0; }
    // Appends a material id; returns its index in the mesh's list.
    size_t AddMaterial(uint32_t id);

    // Resizes all five vertex arrays together (capped at kMaxVertices); new entries are zero.
    void SetVertexCount(size_t count);
    // Both setters ignore an index that is not below the vertex count.
    void SetVertex(size_t i, const Vec4f& position);
    void SetUv(size_t i, const Vec2f& uv);

    // Resizes the plain and the full face arrays together; new entries are zero.
    void SetTriangleCount(size_t count);
    // Stores corners a, b, c of face i with smoothing mask 1.
    void SetTriangle(size_t i, uint16_t a, uint16_t b, uint16_t c);
    void SetSmoothing(size_t i, uint32_t mask);
    void SetTriangleMaterial(size_t i, uint32_t material);

    // Removes faces with a corner past the vertex list, keeping the others in order, so every
    // later pass can index the vertex arrays without checks. Returns how many were removed.
    size_t RemoveInvalidTriangles();

    // Face normals, smoothing-group vertex splits and averaged vertex normals.
    void ComputeNormals(bool useSmoothingGroups);
    // Per-vertex tangents and binormals from the texture coordinates.
    void ComputeTangents();

private:
    // For every vertex, the faces that use it (once per corner), in face order.
    struct FaceLists {
        std::vector<uint32_t> offsets;
        std::vector<uint32_t> faces;
    };
    FaceLists buildFaceLists() const;
    void splitBySmoothingGroups();
    bool hasMixedMasks(const FaceLists& lists, uint32_t begin, uint32_t end) const;
    static void replaceCorner(MeshTriangle& face, uint16_t from, uint16_t to);
    uint16_t appendCopyOf(uint16_t vertex);

    std::vector<Vec4f> positions_;
    std::vector<Vec3f> normals_;
    std::vector<Vec3f> binormals_;
    std::vector<Vec3f> tangents_;
    std::vector<Vec2f> uvs_;
    std::vector<IndexedTriangle> triangles_;
    std::vector<MeshTriangle> meshTriangles_;
    std::vector<uint32_t> materials_;
};
