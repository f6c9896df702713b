#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "BenchFolders.h"
#include "common/Paths.h"
#include "listfile/ListFile.h"
#include "maplist/MapList.h"

namespace mapwren::bench {
namespace {

namespace fs = std::filesystem;

// A list file naming every map of a generated folder, removed at the end.
class GeneratedList {
public:
    explicit GeneratedList(const ImgFolder& folder)
        : path_(Utf8FromPath(fs::temp_directory_path() /
                             ("mapwren-bench-" + std::to_string(std::random_device()()) + ".mwl")))
    {
        std::vector<std::string> paths;
        paths.reserve(folder.names.size());
        for (const std::string& name : folder.names)
            paths.push_back(folder.folder + name);
        ok_ = WriteListFile(path_, {Port::Com, "COM3", 1, "Bench maps"}, paths).ok();
    }
    ~GeneratedList()
    {
        std::error_code ec;
        fs::remove(PathFromUtf8(path_), ec);
    }
    bool ok() const { return ok_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    bool ok_ = false;
};

// Loading a list as the Load button does: read, make the rows, append them.
void BM_LoadListFile(benchmark::State& state)
{
    const std::size_t count = static_cast<std::size_t>(state.range(0));
    const GeneratedList list(GeneratedImgFolder(count));
    if (!list.ok()) {
        state.SkipWithError("the list file could not be written");
        return;
    }
    for (auto _ : state) {
        const ListFileContent content = ReadListFile(list.path());
        MapList maps;
        maps.AppendRows(RowsFromMapPaths(content.mapPaths));
        if (maps.RowCount() != count || maps.Row(count - 1).state != RowState::Unticked)
            state.SkipWithError("the list did not load every map");
        benchmark::DoNotOptimize(maps);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadListFile)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace mapwren::bench
