#include <benchmark/benchmark.h>

#include "BenchFolders.h"
#include "listfile/ListFile.h"
#include "maplist/MapList.h"

namespace mapwren::bench {
namespace {

// Loading a list as the Load button does: read, make the rows, append them.
void BM_LoadListFile(benchmark::State& state)
{
    const std::size_t count = static_cast<std::size_t>(state.range(0));
    const GeneratedList list(GeneratedImgFolder(count));
    if (!list.ok()) {
        state.SkipWithError("the list file could not be written");
        return;
    }
    // x_floor: over the bare loop reading the same files, taken in turn.
    double loads = 0, floor = 0;
    for (auto _ : state) {
        state.PauseTiming();
        floor += Seconds([&] { benchmark::DoNotOptimize(ReadHeadsBare(GeneratedImgFolder(count))); });
        state.ResumeTiming();
        loads += Seconds([&] {
            const ListFileContent content = ReadListFile(list.path());
            MapList maps;
            maps.AppendRows(RowsFromMapPaths(content.mapPaths));
            if (maps.RowCount() != count || maps.Row(count - 1).state != RowState::Unticked)
                state.SkipWithError("the list did not load every map");
            benchmark::DoNotOptimize(maps);
        });
    }
    state.counters["x_floor"] = loads / floor;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadListFile)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

} // namespace
} // namespace mapwren::bench
