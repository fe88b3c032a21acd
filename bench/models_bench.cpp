// Time to make and write every 3DS model of the data set.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "vintra-gen/models/model_files.h"
#include "vintra-gen/models/tower_model.h"

namespace {

void BM_ProduceAllModels(benchmark::State& state) {
    const auto root = std::filesystem::temp_directory_path() /
                      ("tarvel_models_bench_" + std::to_string(::getpid()));
    for (auto _ : state) {
        gen::OutputDirectory out(root.string());
        benchmark::DoNotOptimize(gen::produceModels(out));
    }
    std::filesystem::remove_all(root);
}
BENCHMARK(BM_ProduceAllModels)->Unit(benchmark::kMillisecond);

void BM_BuildTower(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(gen::TowerModel::build().faceCount());
    }
}
BENCHMARK(BM_BuildTower)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
