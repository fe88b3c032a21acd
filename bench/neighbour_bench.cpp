// The shadow preparation's neighbour search on the largest real model: the hashed search
// against the pair-by-pair rule it replaces (run once: it takes tens of seconds).
#include <benchmark/benchmark.h>

#include <deque>
#include <vector>

#include "objects/face.h"
#include "objects/l3ds.h"
#include "objects/neighbour_search.h"

namespace {

constexpr const char* kModel = TARVEL_SHARED_TESTDATA "/3ds/assimp/pyramob.3DS";

struct ModelFaces {
    std::deque<Face> faces;
    std::vector<Face*> list;
    bool loaded = false;
};

const ModelFaces& modelFaces() {
    static ModelFaces model = [] {
        ModelFaces m;
        L3DS reader;
        if (!reader.LoadFile(kModel)) {
            return m;
        }
        for (size_t i = 0; i < reader.GetMeshCount(); ++i) {
            ModelMesh& mesh = reader.GetMesh(i);
            for (size_t k = 0; k < mesh.GetTriangleCount(); ++k) {
                const ExpandedTriangle t = mesh.GetExpandedTriangle(k);
                Vector3 corners[3];
                for (int c = 0; c < 3; ++c) {
                    corners[c].set(t.positions[c].x, t.positions[c].y, t.positions[c].z);
                }
                m.faces.emplace_back();
                m.faces.back().setPositions(corners);
                m.list.push_back(&m.faces.back());
            }
        }
        m.loaded = true;
        return m;
    }();
    return model;
}

template <NeighbourIndices (*Search)(const std::vector<Face*>&)>
void neighbourSearch(benchmark::State& state) {
    const ModelFaces& model = modelFaces();
    if (!model.loaded) {
        state.SkipWithError("pyramob.3DS not found in the shared test data");
        return;
    }
    for (auto _ : state) {
        NeighbourIndices found = Search(model.list);
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["faces"] = static_cast<double>(model.list.size());
}

}  // namespace

BENCHMARK(neighbourSearch<findNeighbours>)->Name("Hashed/pyramob")->Unit(benchmark::kMillisecond);
BENCHMARK(neighbourSearch<findNeighboursQuadratic>)
    ->Name("PairRule/pyramob")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK_MAIN();
