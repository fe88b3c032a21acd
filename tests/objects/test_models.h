// Small models for the scene-object tests, written as real 3DS bytes and read back with the
// reader, so the meshes come through the same path as the show's files.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "objects/l3ds.h"
#include "objects/nobject.h"
#include "vintra-gen/models/three_ds_writer.h"

namespace test_models {

using Point = std::array<float, 3>;

// A closed box around centre with half-size h: 8 shared corners, 12 faces wound
// counter-clockwise seen from outside.
inline gen::ThreeDsObject cube(Point centre, float h) {
    gen::ThreeDsObject box;
    box.name = "box";
    for (int i = 0; i < 8; ++i) {
        box.vertices.push_back({centre[0] + ((i & 1) ? h : -h), centre[1] + ((i & 2) ? h : -h),
                                centre[2] + ((i & 4) ? h : -h)});
    }
    const int quads[6][4] = {{0, 2, 6, 4}, {1, 3, 7, 5}, {0, 1, 5, 4},
                             {2, 3, 7, 6}, {0, 1, 3, 2}, {4, 5, 7, 6}};
    for (const auto& q : quads) {
        for (const auto& tri : {std::array<int, 3>{q[0], q[1], q[2]}, {q[0], q[2], q[3]}}) {
            const Point& a = box.vertices[tri[0]];
            const Point& b = box.vertices[tri[1]];
            const Point& c = box.vertices[tri[2]];
            const float n[3] = {(b[1] - a[1]) * (c[2] - a[2]) - (b[2] - a[2]) * (c[1] - a[1]),
                                (b[2] - a[2]) * (c[0] - a[0]) - (b[0] - a[0]) * (c[2] - a[2]),
                                (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])};
            float outward = 0;
            for (int k = 0; k < 3; ++k) {
                outward += n[k] * ((a[k] + b[k] + c[k]) / 3 - centre[k]);
            }
            gen::ThreeDsFace face;
            face.a = static_cast<uint16_t>(tri[0]);
            face.b = static_cast<uint16_t>(outward > 0 ? tri[1] : tri[2]);
            face.c = static_cast<uint16_t>(outward > 0 ? tri[2] : tri[1]);
            box.faces.push_back(face);
        }
    }
    return box;
}

// count small separate triangles facing +z in the plane z, laid out in rows inside −0.9 … 0.9.
inline gen::ThreeDsObject strip(int count, float z) {
    gen::ThreeDsObject strip;
    strip.name = "strip";
    for (int i = 0; i < count; ++i) {
        const float x = -0.9f + 0.17f * static_cast<float>(i % 10);
        const float y = -0.9f + 0.17f * static_cast<float>(i / 10);
        strip.vertices.push_back({x, y, z});
        strip.vertices.push_back({x + 0.1f, y, z});
        strip.vertices.push_back({x, y + 0.1f, z});
        const auto base = static_cast<uint16_t>(3 * i);
        strip.faces.push_back(
            {base, static_cast<uint16_t>(base + 1), static_cast<uint16_t>(base + 2), 1, -1});
    }
    return strip;
}

inline std::vector<uint8_t> bytesOf(const gen::ThreeDsModel& model) {
    gen::ThreeDsWriter writer;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(writer.write(model, bytes)) << writer.error();
    return bytes;
}

inline void loadInto(NObject& object, const gen::ThreeDsModel& model) {
    const std::vector<uint8_t> bytes = bytesOf(model);
    L3DS reader;
    ASSERT_TRUE(reader.LoadFromMemory(bytes.data(), bytes.size()));
    object.buildMeshes(reader);
}

inline gen::ThreeDsModel single(gen::ThreeDsObject object) {
    gen::ThreeDsModel model;
    model.objects.push_back(std::move(object));
    return model;
}

// Writes bytes to a fresh file under the test temporary directory; returns its path.
inline std::string writeTemp(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = ::testing::TempDir() + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr) << path;
    if (file != nullptr) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

}  // namespace test_models
