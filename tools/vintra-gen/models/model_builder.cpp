#include "vintra-gen/models/model_builder.h"

#include <algorithm>
#include <cmath>

namespace gen {

uint16_t ModelBuilder::vertex(const Pos& position, const Uv& uv) {
    positions_.push_back(position);
    uvs_.push_back(uv);
    return static_cast<uint16_t>(positions_.size() - 1);
}

void ModelBuilder::triangle(uint16_t a, uint16_t b, uint16_t c, uint32_t smoothing) {
    faces_.push_back({a, b, c, smoothing, 0});
}

void ModelBuilder::facet(const std::vector<Pos>& corners, const UvMap& uvs, uint32_t smoothing) {
    if (corners.size() < 3) {
        return;
    }
    const Pos normal = normalized(cross(corners[1] - corners[0], corners[2] - corners[0]));
    std::vector<uint16_t> index;
    index.reserve(corners.size());
    for (const Pos& p : corners) {
        index.push_back(vertex(p, uvs(p, normal)));
    }
    for (size_t i = 1; i + 1 < index.size(); ++i) {
        triangle(index[0], index[i], index[i + 1], smoothing);
    }
}

void ModelBuilder::transform(const std::function<Pos(const Pos&)>& move) {
    for (Pos& p : positions_) {
        p = move(p);
    }
}

void ModelBuilder::append(const ModelBuilder& other) {
    const auto base = static_cast<uint16_t>(positions_.size());
    positions_.insert(positions_.end(), other.positions_.begin(), other.positions_.end());
    uvs_.insert(uvs_.end(), other.uvs_.begin(), other.uvs_.end());
    for (ThreeDsFace f : other.faces_) {
        f.a = static_cast<uint16_t>(f.a + base);
        f.b = static_cast<uint16_t>(f.b + base);
        f.c = static_cast<uint16_t>(f.c + base);
        faces_.push_back(f);
    }
}

void ModelBuilder::sortFacesLeftToRight() {
    auto centreX = [this](const ThreeDsFace& f) {
        return positions_[f.a][0] + positions_[f.b][0] + positions_[f.c][0];
    };
    std::stable_sort(faces_.begin(), faces_.end(), [&](const ThreeDsFace& l, const ThreeDsFace& r) {
        return centreX(l) < centreX(r);
    });
}

ThreeDsObject ModelBuilder::object(int material) const {
    ThreeDsObject object;
    object.name = name_;
    object.vertices = positions_;
    object.uvs = uvs_;
    object.faces = faces_;
    for (ThreeDsFace& f : object.faces) {
        f.material = material;
    }
    return object;
}

Pos operator+(const Pos& a, const Pos& b) {
    return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
Pos operator-(const Pos& a, const Pos& b) {
    return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
Pos operator*(const Pos& a, float s) {
    return {a[0] * s, a[1] * s, a[2] * s};
}

Pos cross(const Pos& a, const Pos& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

float dot(const Pos& a, const Pos& b) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

Pos normalized(const Pos& a) {
    const float length = std::sqrt(dot(a, a));
    return length > 0.0f ? a * (1.0f / length) : a;
}

}  // namespace gen
