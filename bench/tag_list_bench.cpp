// Parsing speed of a 10,000-row tag list (rows only; no tags, no textures).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "layers/list_reader.h"
#include "layers/tag_placement.h"
#include "shell/log_window.h"

namespace {

std::string makeList(int rows) {
    std::string text = "# name start fade-in hold fade-out x y z rotation peak drift unit\n";
    char line[256];
    for (int i = 0; i < rows; ++i) {
        bool random = i % 4 == 0;
        std::snprintf(line, sizeof line, "tag%d.jpg\t%d\t1\t2\t1\t%s\t0.25\t-2\t%d\t%s\t0\t%d\n",
                      i % 97, i, random ? "666" : "0.5", i % 360, random ? "666" : "1", i % 2);
        text += line;
    }
    return text;
}

void BM_ParseTagList(benchmark::State& state) {
    logWindow = new LogWindow(false);
    const int rows = static_cast<int>(state.range(0));
    std::string text = makeList(rows);
    for (auto _ : state) {
        std::vector<TagPlacement> parsed;
        Random random;
        ListReader::readRows<TagRow>(text, "tags.txt", [&](const TagRow& row, const std::string&) {
            parsed.push_back(*TagPlacement::resolve(row, "./vintra/tags/256/bra/", random));
            return true;
        });
        if (static_cast<int>(parsed.size()) != rows) {
            state.SkipWithError("rows lost");
        }
        benchmark::DoNotOptimize(parsed.data());
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(BM_ParseTagList)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
