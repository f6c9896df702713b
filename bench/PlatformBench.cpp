// The map list's heavy work on one platform, timed by itself, without Google
// Benchmark, so that it builds for Windows too: scripts/bench-windows runs it
// on Linux and under Wine one after the other over the same generated maps.
//   mapwren_platform_bench [MAP_COUNT [ROUNDS]]
// Prints per work its median time, the floor's, and the median ratio of the two.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchFolders.h"
#include "listfile/ListFile.h"
#include "maplist/FolderScan.h"
#include "maplist/MapList.h"

namespace mapwren::bench {
namespace {

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool Failed(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    return false;
}

// Each round times the floor and then the work, so both see the same load.
bool Report(const char* name, int rounds, const ImgFolder& folder, const std::function<bool()>& work)
{
    std::vector<double> times, floors, ratios;
    for (int round = 0; round < rounds; ++round) {
        floors.push_back(Seconds([&] { ReadHeadsBare(folder); }));
        bool ok = true;
        times.push_back(Seconds([&] { ok = work(); }));
        if (!ok)
            return Failed(name);
        ratios.push_back(times.back() / floors.back());
    }
    std::printf("%-12s %10.1f ms  floor %10.1f ms  x_floor %6.2f\n", name, Median(times) * 1000, Median(floors) * 1000,
                Median(ratios));
    return true;
}

int Run(std::size_t count, int rounds)
{
    const ImgFolder& folder = GeneratedImgFolder(count);
    const GeneratedList list(folder);
    if (!list.ok())
        return Failed("the list file could not be written"), 1;
    MapList loaded;
    bool ok = Report("load_folder", rounds, folder, [&] {
        FolderScan scan = ScanFolder(folder.folder);
        const bool whole = scan.rows.size() == count && scan.unreadable.empty();
        loaded.Clear();
        loaded.AppendRows(std::move(scan.rows));
        return whole;
    });
    ok = Report("load_list", rounds, folder, [&] {
        MapList maps;
        maps.AppendRows(RowsFromMapPaths(ReadListFile(list.path()).mapPaths));
        return maps.RowCount() == count && maps.Row(count - 1).state == RowState::Unticked;
    }) && ok;
    ok = Report("select_all", rounds, folder, [&] {
        loaded.SelectNone();
        loaded.SelectAll();
        return loaded.SelectedCount() == static_cast<std::int64_t>(count) &&
               loaded.SelectedFiles().front().find(' ') == std::string::npos && !loaded.SelectedFiles().front().empty();
    }) && ok;
    return ok ? 0 : 1;
}

} // namespace
} // namespace mapwren::bench

int main(int argc, char** argv)
{
    const std::size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    return mapwren::bench::Run(count, std::max(rounds, 1));
}
