// Loading the real 3DS test files with L3DS (normals and tangents included) and, in the same
// run, with assimp's importer (smooth normals, triangulation); prints both times and their ratio.
#include <benchmark/benchmark.h>

#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <algorithm>
#include <assimp/Importer.hpp>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "objects/l3ds.h"
#include "vintra-gen/models/three_ds_writer.h"

namespace {

const std::string kModels = TARVEL_SHARED_TESTDATA "/3ds/assimp/";

void loadWithL3DS(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        L3DS reader;
        const bool ok = reader.LoadFile(path.c_str());
        benchmark::DoNotOptimize(ok);
        if (!ok) {
            state.SkipWithError("L3DS failed to load");
            break;
        }
    }
}

void loadWithAssimp(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        Assimp::Importer importer;
        const aiScene* scene =
            importer.ReadFile(path, aiProcess_GenSmoothNormals | aiProcess_Triangulate);
        benchmark::DoNotOptimize(scene);
        if (scene == nullptr) {
            state.SkipWithError("assimp failed to load");
            break;
        }
    }
}

// A fan around one centre vertex whose faces all carry different smoothing masks: the worst
// case of vertex splitting (runs into the 16-bit vertex limit). Grows linearly with the fan.
std::vector<uint8_t> fanModel(int ringVertices) {
    gen::ThreeDsObject fan;
    fan.name = "fan";
    fan.vertices.push_back({0, 0, 0});
    for (int i = 0; i < ringVertices; ++i) {
        const float a = 6.2831853f * static_cast<float>(i) / static_cast<float>(ringVertices);
        fan.vertices.push_back({std::cos(a), std::sin(a), 0.1f * static_cast<float>(i % 3)});
    }
    for (int i = 1; i < ringVertices; ++i) {
        fan.faces.push_back({0, static_cast<uint16_t>(i), static_cast<uint16_t>(i + 1),
                             static_cast<uint32_t>(i), -1});
    }
    gen::ThreeDsModel model;
    model.objects.push_back(fan);
    std::vector<uint8_t> bytes;
    gen::ThreeDsWriter().write(model, bytes);
    return bytes;
}

void loadFanWithL3DS(benchmark::State& state) {
    const std::vector<uint8_t> bytes = fanModel(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        L3DS reader;
        benchmark::DoNotOptimize(reader.LoadFromMemory(bytes.data(), bytes.size()));
    }
    state.SetComplexityN(state.range(0));
}

// The console report, then one line per file: both times and assimp's time over L3DS's.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                times_[run.benchmark_name()] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        std::printf("\n%-36s %14s %14s %8s\n", "file", "L3DS (us)", "assimp (us)", "ratio");
        for (const auto& [name, l3ds] : times_) {
            if (name.rfind("L3DS/", 0) != 0) {
                continue;
            }
            const std::string file = name.substr(5);
            const auto other = times_.find("assimp/" + file);
            if (other == times_.end() || l3ds <= 0.0) {
                continue;
            }
            std::printf("%-36s %14.1f %14.1f %7.1fx\n", file.c_str(), l3ds, other->second,
                        other->second / l3ds);
        }
    }

private:
    std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files;
    if (std::filesystem::is_directory(kModels)) {
        for (const auto& entry : std::filesystem::directory_iterator(kModels)) {
            const std::string name = entry.path().filename().string();
            if (name != "empty.3ds") {
                files.push_back(name);
            }
        }
    } else {
        std::printf("l3ds_bench: 3DS test files not found in %s; only generated models run\n",
                    kModels.c_str());
    }
    std::sort(files.begin(), files.end());
    for (const std::string& file : files) {
        const std::string path = kModels + file;
        benchmark::RegisterBenchmark(("L3DS/" + file).c_str(), loadWithL3DS, path)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(("assimp/" + file).c_str(), loadWithAssimp, path)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("L3DS-generated/fan-all-masks-differ", loadFanWithL3DS)
        ->RangeMultiplier(4)
        ->Range(1024, 16384)
        ->Unit(benchmark::kMicrosecond)
        ->Complexity();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
