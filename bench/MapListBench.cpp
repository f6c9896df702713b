#include <benchmark/benchmark.h>

#include "BenchFolders.h"
#include "maplist/FolderScan.h"
#include "maplist/MapList.h"
#include "tilemap/frmTileMap.h"
#include "app/frmMain.h"

namespace mapwren::bench {
namespace {

void BM_RawFolderLoop(benchmark::State& state)
{
    const ImgFolder& folder = GeneratedImgFolder(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadHeadsBare(folder));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// x_floor: the scans' time over the floor's, the two taken in turn so that
// both see the same load of a shared machine.
void BM_ListFolder(benchmark::State& state)
{
    const ImgFolder& folder = GeneratedImgFolder(static_cast<std::size_t>(state.range(0)));
    double scans = 0, floor = 0;
    for (auto _ : state) {
        state.PauseTiming();
        floor += Seconds([&] { benchmark::DoNotOptimize(ReadHeadsBare(folder)); });
        state.ResumeTiming();
        scans += Seconds([&] {
            FolderScan scan = ScanFolder(folder.folder);
            if (scan.rows.size() != folder.names.size() || !scan.unreadable.empty())
                state.SkipWithError("the scan missed files");
            benchmark::DoNotOptimize(scan);
        });
    }
    state.counters["x_floor"] = scans / floor;
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

// A desktop that is never asked anything while a folder is dropped and the tile map opened.
struct SilentDesktop : Desktop {
    std::optional<std::string> AskOpenFile(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> AskSaveFile(const FileDialogRequest&) override { return {}; }
    void ShowMessage(MessageIcon, const std::string&, const std::string&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return false; }
    void RepaintNow() override {}
    void ShowBusy(bool) override {}
    bool OpenAddress(const std::string&) override { return false; }
    void CloseAllWindows() override {}
    void ShowAboutWindow() override {}
    void ShowTileMapWindow() override {}
    std::optional<std::string> AskFolder(const std::string&) override { return std::nullopt; }
    void ShowInstallWindow(std::shared_ptr<frmInstall>) override {}
    void ShowProgressWindow(std::shared_ptr<frmProgress>) override {}
    void Post(std::function<void()>) override {}
};

// Opening the tile map over a folder of tiles until its first drawing: every
// tile's place read, the view fitted, the rectangles listed. x_floor: its time
// over the bare loop's that reads each file's header once.
void BM_OpenTileMap(benchmark::State& state)
{
    const ImgFolder& folder = GeneratedTileFolder(static_cast<std::size_t>(state.range(0)));
    SilentDesktop desktop;
    frmMain main(desktop, folder.folder, "");
    main.Form_OLEDragDrop({folder.folder});
    double opens = 0, floor = 0;
    for (auto _ : state) {
        state.PauseTiming();
        floor += Seconds([&] { benchmark::DoNotOptimize(ReadHeadsBare(folder)); });
        state.ResumeTiming();
        opens += Seconds([&] {
            frmTileMap map(main, {});
            map.Resize(1000, 700);
            if (map.Tiles().size() != folder.names.size())
                state.SkipWithError("tiles are missing from the map");
        });
    }
    state.counters["x_floor"] = opens / floor;
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_RawFolderLoop)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ListFolder)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_Toggle)->Arg(10)->Arg(100000);
BENCHMARK(BM_OpenTileMap)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(BM_SelectAll)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortColumn)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace mapwren::bench
