#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "BenchFolders.h"
#include "maplist/FolderScan.h"
#include "maplist/MapList.h"

namespace mapwren::bench {
namespace {

// The floor for listing a folder: one open, one read of the header, one
// stat and one close per file, over names already known.
std::uint64_t ReadHeadsBare(const ImgFolder& folder)
{
    std::uint64_t total = 0;
    char head[131];
    for (const std::string& name : folder.names) {
        const std::string path = folder.folder + name;
#ifdef _WIN32
        const int fd = ::_open(path.c_str(), _O_RDONLY | _O_BINARY);
        const int got = fd < 0 ? 0 : ::_read(fd, head, sizeof head);
        struct _stat64 st {};
        ::_fstat64(fd, &st);
        ::_close(fd);
#else
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        const ssize_t got = fd < 0 ? 0 : ::pread(fd, head, sizeof head, 0);
        struct stat st {};
        ::fstat(fd, &st);
        ::close(fd);
#endif
        total += static_cast<std::uint64_t>(st.st_size) + static_cast<std::uint64_t>(got) + static_cast<unsigned char>(head[73]);
    }
    return total;
}

void BM_RawFolderLoop(benchmark::State& state)
{
    const ImgFolder& folder = GeneratedImgFolder(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadHeadsBare(folder));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ListFolder(benchmark::State& state)
{
    const ImgFolder& folder = GeneratedImgFolder(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        FolderScan scan = ScanFolder(folder.folder);
        if (scan.rows.size() != folder.names.size() || !scan.unreadable.empty())
            state.SkipWithError("the scan missed files");
        benchmark::DoNotOptimize(scan);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A list of `count` rows of real files.
MapList LoadedList(std::size_t count)
{
    MapList list;
    FolderScan scan = ScanFolder(GeneratedImgFolder(std::max<std::size_t>(count, 10000)).folder);
    scan.rows.resize(count);
    list.AppendRows(std::move(scan.rows));
    return list;
}

void BM_Toggle(benchmark::State& state)
{
    MapList list = LoadedList(static_cast<std::size_t>(state.range(0)));
    list.SelectAll();   // a full selection: unticking must not walk it
    const std::size_t row = list.RowCount() / 2;
    for (auto _ : state) {
        list.Toggle(row);
        list.Toggle(row);
    }
}

void BM_SelectAll(benchmark::State& state)
{
    MapList list = LoadedList(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        list.SelectAll();
        benchmark::DoNotOptimize(list.SelectedCount());
    }
}

void BM_SortColumn(benchmark::State& state)
{
    MapList list = LoadedList(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        list.SortByColumn(3);   // map names, each run reversing the last
}

BENCHMARK(BM_RawFolderLoop)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListFolder)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Toggle)->Arg(10)->Arg(100000);
BENCHMARK(BM_SelectAll)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortColumn)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace mapwren::bench
