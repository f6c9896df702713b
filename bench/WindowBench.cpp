// The window with a list of many maps: the program's start until the rows
// are drawn, and Select All and a sort in the window. Each run is a process
// of its own, started from this benchmark as the program is started, so that
// its peak memory (peak_MB) is the program's alone.
#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
#include <QTimer>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "BenchFolders.h"
#include "common/Paths.h"
#include "qt/MainWindow.h"
#include "qt/MapListModel.h"

extern char** environ;

namespace mapwren::bench {
namespace {

namespace fs = std::filesystem;

constexpr const char* kWindowMode = "--window";
constexpr std::size_t kMaps = 100000;

std::int64_t NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The process's peak resident memory in kB.
long PeakKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Paints every widget of the window now, as the screen would show it.
void DrawNow(MainWindow& window)
{
    QApplication::processEvents();
    window.repaint();
}

// A press and release on the Map Name header, as the user sorts.
void PressHeader(MainWindow& window)
{
    QHeaderView* header = window.Grid()->horizontalHeader();
    const QPoint at(header->sectionViewportPosition(3) + header->sectionSize(3) / 2, header->height() / 2);
    const QPoint global = header->viewport()->mapToGlobal(at);
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, global, Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(header->viewport(), &event);
    }
}

// The child: the program's own start (as main does) with the list named on
// its command line, the rows drawn, then one timed command per byte read on
// its input ('a' Select All, 's' a sort); every figure written to its output.
int RunWindow(int argc, char** argv)
{
    QApplication app(argc, argv);
    // A message box would wait for a click that never comes: end at once instead.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [] {
        if (QApplication::activeModalWidget() != nullptr)
            std::_Exit(3);
    });
    watch.start(500);
    MainWindow window(argv[2], std::string("\"") + argv[3] + "\"");
    if (!window.Start())
        return 1;
    DrawNow(window);
    std::printf("drawn %lld %d\n", static_cast<long long>(NowNs()), window.GridModel().rowCount());
    std::fflush(stdout);
    auto* selectAll = static_cast<QAbstractButton*>(window.Widget("cmdSelectAll"));
    auto* selectNone = static_cast<QAbstractButton*>(window.Widget("cmdSelectNone"));
    for (char command; ::read(STDIN_FILENO, &command, 1) == 1;) {
        const std::int64_t start = NowNs();
        if (command == 'a')
            selectAll->click();
        else
            PressHeader(window);
        DrawNow(window);
        const std::int64_t took = NowNs() - start;
        const auto selected = static_cast<long long>(window.Form().Maps().SelectedCount());
        if (command == 'a') {
            selectNone->click();   // so that Select All can be pressed again
            DrawNow(window);
        }
        std::printf("took %lld %lld\n", static_cast<long long>(took), selected);
        std::fflush(stdout);
    }
    std::printf("peak %ld\n", PeakKb());
    std::fflush(stdout);
    return 0;
}

// A program folder holding the upload tool (its name is all start-up asks)
// and a list of the generated maps.
class Setting {
public:
    Setting() : list_(GeneratedImgFolder(kMaps))
    {
        folder_ = fs::temp_directory_path() / ("mapwren-bench-program-" + std::to_string(std::random_device()()));
        fs::create_directories(folder_);
        std::ofstream(folder_ / "sendmap20.exe").put('\n');
    }
    ~Setting()
    {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    bool ok() const { return list_.ok(); }
    std::string folder() const { return Utf8FromPath(folder_); }
    const std::string& list() const { return list_.path(); }

private:
    GeneratedList list_;
    fs::path folder_;
};

// One window process, spoken to through two pipes.
class WindowProcess {
public:
    WindowProcess(const std::string& self, const Setting& setting)
    {
        int in[2], out[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        for (const int fd : {in[0], in[1], out[0], out[1]})
            posix_spawn_file_actions_addclose(&actions, fd);
        const std::string folder = setting.folder();
        char* args[] = {const_cast<char*>(self.c_str()), const_cast<char*>(kWindowMode),
                        const_cast<char*>(folder.c_str()), const_cast<char*>(setting.list().c_str()), nullptr};
        started_ = NowNs();
        const bool spawned = posix_spawn(&pid_, self.c_str(), &actions, nullptr, args, environ) == 0;
        posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        toChild_ = in[1];
        fromChild_ = ::fdopen(out[0], "r");
        if (!spawned)
            pid_ = -1;
    }
    ~WindowProcess() { Finish(); }

    std::int64_t started() const { return started_; }

    // The next line's two numbers after its word; false when none came.
    bool Read(const char* word, long long& first, long long& second)
    {
        char line[128];
        char got[16];
        second = 0;
        return fromChild_ != nullptr && std::fgets(line, sizeof line, fromChild_) != nullptr &&
               std::sscanf(line, "%15s %lld %lld", got, &first, &second) >= 2 && std::strcmp(got, word) == 0;
    }
    bool Send(char command) { return ::write(toChild_, &command, 1) == 1; }

    // Ends the child's commands; its peak memory in kB, as the child saw it.
    long Finish()
    {
        long long peak = 0, unused = 0;
        if (toChild_ >= 0) {
            ::close(toChild_);
            toChild_ = -1;
            Read("peak", peak, unused);
        }
        if (fromChild_ != nullptr) {
            std::fclose(fromChild_);
            fromChild_ = nullptr;
        }
        if (pid_ > 0) {
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
        }
        return static_cast<long>(peak);
    }

private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    FILE* fromChild_ = nullptr;
    std::int64_t started_ = 0;
};

std::string& SelfPath()
{
    static std::string path;
    return path;
}

// From the program's start to its rows drawn, in a new process each time.
void BM_StartWithList(benchmark::State& state)
{
    const Setting setting;
    long peak = 0;
    double starts = 0, floor = 0;
    for (auto _ : state) {
        // x_floor: over the bare loop reading the same maps, taken just before.
        floor += Seconds([] { benchmark::DoNotOptimize(ReadHeadsBare(GeneratedImgFolder(kMaps))); });
        WindowProcess window(SelfPath(), setting);
        long long drawn = 0, rows = 0;
        if (!window.Read("drawn", drawn, rows) || rows != static_cast<long long>(kMaps)) {
            state.SkipWithError("the window did not show every map");
            break;
        }
        state.SetIterationTime(static_cast<double>(drawn - window.started()) / 1e9);
        starts += static_cast<double>(drawn - window.started()) / 1e9;
        peak = std::max(peak, window.Finish());
    }
    state.counters["peak_MB"] = static_cast<double>(peak) / 1024;
    if (floor > 0)
        state.counters["x_floor"] = starts / floor;
}

// One command ('a' Select All, 's' a sort) in a window holding the list.
void TimeCommand(benchmark::State& state, char command)
{
    const Setting setting;
    WindowProcess window(SelfPath(), setting);
    long long drawn = 0, rows = 0;
    if (!window.Read("drawn", drawn, rows) || rows != static_cast<long long>(kMaps)) {
        state.SkipWithError("the window did not show every map");
        return;
    }
    for (auto _ : state) {
        long long took = 0, selected = 0;
        if (!window.Send(command) || !window.Read("took", took, selected) ||
            (command == 'a' && selected != static_cast<long long>(kMaps))) {
            state.SkipWithError("the window did not answer");
            break;
        }
        state.SetIterationTime(static_cast<double>(took) / 1e9);
    }
    state.counters["peak_MB"] = static_cast<double>(window.Finish()) / 1024;
}

void BM_WindowSelectAll(benchmark::State& state) { TimeCommand(state, 'a'); }
void BM_WindowSort(benchmark::State& state) { TimeCommand(state, 's'); }

BENCHMARK(BM_StartWithList)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_WindowSelectAll)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(BM_WindowSort)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace
} // namespace mapwren::bench

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], mapwren::bench::kWindowMode) == 0)
        return mapwren::bench::RunWindow(argc, argv);
    mapwren::bench::SelfPath() = std::filesystem::canonical("/proc/self/exe").string();
    // Offscreen unless told otherwise: the figures need no display.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
