// The tower scene's credits as a viewer sees them: through every camera the scene is drawn
// with, each sign on screen shows its lettered face, never its mirrored back. Worked out from
// the generated camera cuts, the show's own path interpolation and the signs' geometry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "base/beat.h"
#include "camera/camera_path.h"
#include "lists/camera_row.h"
#include "lists/position_row.h"
#include "objects/l3ds.h"
#include "vintra-gen/models/model_files.h"
#include "vintra-gen/output_directory.h"
#include "vintra-gen/producers.h"

namespace fs = std::filesystem;

namespace {

struct V {
    double x = 0, y = 0, z = 0;
};
V operator-(V a, V b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
V operator+(V a, V b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
V operator*(V a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
double dot(V a, V b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
V cross(V a, V b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
V unit(V a) {
    return a * (1.0 / std::sqrt(dot(a, a)));
}
V fromVector3(const Vector3& v) {
    return {v.x, v.y, v.z};
}

// The scene draws its models at a tenth of their size, through a 45-degree, 800 x 600 view.
constexpr double kModelScale = 0.1;
const double kHalfHeight = std::tan(22.5 * 3.14159265358979 / 180.0);
constexpr double kAspect = 800.0 / 600.0;
// A face turned further than this from the eye reads as a sliver, if at all.
const double kReadableCosine = std::cos(72.0 * 3.14159265358979 / 180.0);

struct View {
    V eye, forward, side, up;
};

View lookAt(V eye, V target, V up) {
    View v;
    v.eye = eye;
    v.forward = unit(target - eye);
    v.side = unit(cross(v.forward, up));
    v.up = cross(v.side, v.forward);
    return v;
}

bool inView(const View& v, V p) {
    const V d = p - v.eye;
    const double depth = dot(d, v.forward);
    return depth > 0.001 && std::abs(dot(d, v.side)) <= depth * kHalfHeight * kAspect &&
           std::abs(dot(d, v.up)) <= depth * kHalfHeight;
}

struct Sign {
    std::string file;
    std::vector<V> points;  // every vertex, in the scene's units
    V centre;
    V lettered;        // normal of the face the word reads left to right on
    double front = 0;  // how far that face stands out along `lettered`
};

// The extruder writes a word glyph by glyph, so its first faces belong to the first letter
// and its last to the last: the word runs from one to the other, upright, and the face it
// reads correctly on is the one whose right-hand side is that run.
Sign readSign(const fs::path& root, const std::string& file) {
    Sign sign{file, {}, {}, {}, 0};
    L3DS reader;
    if (!reader.LoadFile((root / file).string().c_str()) || reader.GetMeshCount() != 1) {
        ADD_FAILURE() << file << " does not load";
        return sign;
    }
    const ModelMesh& mesh = reader.GetMesh(0);
    const size_t faces = mesh.GetTriangleCount();
    const size_t edge = std::max<size_t>(1, faces / 20);
    V first, last;
    for (size_t f = 0; f < faces; ++f) {
        const ExpandedTriangle t = mesh.GetExpandedTriangle(f);
        for (int k = 0; k < 3; ++k) {
            const V p = V{t.positions[k].x, t.positions[k].y, t.positions[k].z} * kModelScale;
            sign.points.push_back(p);
            sign.centre = sign.centre + p;
            if (f < edge) {
                first = first + p;
            }
            if (f >= faces - edge) {
                last = last + p;
            }
        }
    }
    sign.centre = sign.centre * (1.0 / static_cast<double>(sign.points.size()));
    sign.lettered = unit(cross(last - first, V{0, 0, 1}));
    for (const V& p : sign.points) {
        sign.front = std::max(sign.front, dot(p, sign.lettered));
    }
    return sign;
}

struct Cut {
    std::string file;
    double start = 0, end = 0, move = 0;
    CameraPath eye, target, up;
};

std::string bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The cut list as the show reads it: single-precision columns, beats times 0.48.
std::vector<Cut> readCuts(const fs::path& cameras) {
    std::vector<Cut> cuts;
    std::istringstream list(bytes(cameras / "cameras.txt"));
    for (std::string line; std::getline(list, line);) {
        std::optional<CameraRow> row;
        if (line.empty() || line[0] == '#' || !(row = CameraRow::parse(line))) {
            continue;
        }
        const double scale = row->beats ? kBeatSeconds : 1.0;
        Cut cut;
        cut.file = row->file;
        cut.start = static_cast<float>(row->start * scale);
        cut.end = static_cast<float>(row->end * scale);
        cut.move = static_cast<float>(row->moveTime * scale);
        for (const PositionRow& p : PositionRow::parse(bytes(cameras / row->file))) {
            cut.eye.addPoint({p.eye.x, p.eye.y, p.eye.z});
            cut.target.addPoint({p.target.x, p.target.y, p.target.z});
            cut.up.addPoint({p.up.x, p.up.y, p.up.z});
        }
        if (cut.eye.points.size() >= 4) {
            cuts.push_back(std::move(cut));
        }
    }
    return cuts;
}

// The camera left by the cuts drawn at show time t: the last one in the list that covers t
// wins, flown to t / move time of its path and held there.
const Cut* cutAt(const std::vector<Cut>& cuts, double t) {
    const Cut* current = nullptr;
    for (const Cut& cut : cuts) {
        if (cut.start <= t && t <= cut.end) {
            current = &cut;
        }
    }
    return current;
}

View viewAt(const Cut& cut, double t) {
    const double local = t - cut.start;
    const float f = cut.move > 0 ? static_cast<float>(std::min(1.0, local / cut.move)) : 1.0f;
    return lookAt(fromVector3(cut.eye.atFraction(f)), fromVector3(cut.target.atFraction(f)),
                  fromVector3(cut.up.atFraction(f)));
}

class TowerCredits : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        root_ = fs::temp_directory_path() / ("tarvel_credits_" + std::to_string(::getpid()));
        gen::OutputDirectory out(root_.string());
        gen::produceCameras(out);
        produced_ = gen::produceTowerModels(out);
    }
    static void TearDownTestSuite() { fs::remove_all(root_); }

    static std::vector<Sign> signs() {
        std::vector<Sign> all;
        for (const char* file : {"codedby.3ds", "zorbel.3ds"}) {
            all.push_back(readSign(root_, file));
        }
        for (int i = 1; i <= 9; ++i) {
            all.push_back(readSign(root_, "tower/t" + std::to_string(i) + ".3ds"));
        }
        return all;
    }

    static fs::path root_;
    static bool produced_;
};

fs::path TowerCredits::root_;
bool TowerCredits::produced_ = false;

TEST_F(TowerCredits, EverySignOnScreenShowsItsLetteredFace) {
    ASSERT_TRUE(produced_);
    const std::vector<Sign> all = signs();
    const std::vector<Cut> cuts = readCuts(root_ / "cameras");
    // The scene draws before the cuts do, so each frame shows the camera of the frame
    // before: from a little ahead of the window (20 frames a second and faster) to its end,
    // a quarter of a 60 Hz frame apart.
    const double from = beats(section::kTowerStart) - 0.05;
    const double to = beats(section::kTowerEnd);
    int views = 0;
    int seen = 0;
    for (double t = from; t < to; t += 1.0 / 240.0) {
        const Cut* cut = cutAt(cuts, t);
        ASSERT_NE(cut, nullptr) << "no camera at " << t << " s";
        const View view = viewAt(*cut, t);
        ++views;
        for (const Sign& sign : all) {
            if (std::none_of(sign.points.begin(), sign.points.end(),
                             [&](V p) { return inView(view, p); })) {
                continue;
            }
            ++seen;
            const double cosine = dot(unit(view.eye - sign.centre), sign.lettered);
            const bool before = dot(view.eye, sign.lettered) > sign.front;
            if (!before || cosine < kReadableCosine) {
                ADD_FAILURE() << sign.file << " seen from behind or edge-on at " << t << " s by "
                              << cut->file << " (cosine " << cosine << ")";
                return;
            }
        }
    }
    EXPECT_GT(views, 6000);
    // Most signs are in the picture most of the time: the check looked at them.
    EXPECT_GT(seen, views * 6);
}

}  // namespace
