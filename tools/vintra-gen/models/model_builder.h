// One mesh object under construction: vertices with texture coordinates and triangles with
// smoothing masks, laid out exactly as the 3DS writer takes them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "vintra-gen/models/three_ds_writer.h"

namespace gen {

using Pos = std::array<float, 3>;
using Uv = std::array<float, 2>;
// Texture coordinates of a point on a surface with the given outward normal.
using UvMap = std::function<Uv(const Pos& point, const Pos& normal)>;

class ModelBuilder {
public:
    explicit ModelBuilder(std::string name) : name_(std::move(name)) {}

    // A new vertex; returns its index.
    uint16_t vertex(const Pos& position, const Uv& uv);
    void triangle(uint16_t a, uint16_t b, uint16_t c, uint32_t smoothing);
    // A flat convex polygon (counter-clockwise seen from outside) with vertices of its own,
    // fanned from its first corner, so its normals never blend with its neighbours'.
    void facet(const std::vector<Pos>& corners, const UvMap& uvs, uint32_t smoothing);
    // Moves every vertex; equal positions stay equal, so closed solids stay closed.
    void transform(const std::function<Pos(const Pos&)>& move);
    // Appends every vertex and face of another builder.
    void append(const ModelBuilder& other);
    // Reorders faces by the x of their centroids (stable), so a progressive reveal that draws
    // the first faces of the list sweeps from left to right.
    void sortFacesLeftToRight();

    size_t vertexCount() const { return positions_.size(); }
    size_t faceCount() const { return faces_.size(); }
    const std::vector<Pos>& positions() const { return positions_; }
    const std::vector<Uv>& uvs() const { return uvs_; }
    const std::vector<ThreeDsFace>& faces() const { return faces_; }

    // The writer's object, every face using material `material`.
    ThreeDsObject object(int material) const;

private:
    std::string name_;
    std::vector<Pos> positions_;
    std::vector<Uv> uvs_;
    std::vector<ThreeDsFace> faces_;
};

// Vector helpers shared by the model makers.
Pos operator+(const Pos& a, const Pos& b);
Pos operator-(const Pos& a, const Pos& b);
Pos operator*(const Pos& a, float s);
Pos cross(const Pos& a, const Pos& b);
float dot(const Pos& a, const Pos& b);
Pos normalized(const Pos& a);

}  // namespace gen
