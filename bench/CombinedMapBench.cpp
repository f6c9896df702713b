// Writing a combined map file of 1 GB of generated tiles, against the floor of
// copying the same files into one with a plain loop of 1 MB reads and writes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "BenchFolders.h"
#include "common/Paths.h"
#include "img/CombinedMap.h"

namespace mapwren::bench {
namespace {

namespace fs = std::filesystem;

// 1 GB of tiles: 100 of some 10 MB, or 15,000 of some 70 KB (as many as the newest receivers show).
struct TileSet {
    int count;
    std::size_t rgnSize, lblSize;
};
constexpr TileSet kLargeTiles{100, 9 << 20, 1 << 20}, kManyTiles{15000, 60 << 10, 10 << 10};

void Put(std::string& bytes, std::size_t at, std::uint64_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

// One tile as mkgmap lays it out in blocks of 2048 bytes: header, directory
// (240 blocks an entry), then TRE, RGN and LBL, filled with random bytes.
void WriteTile(const fs::path& file, int number, const TileSet& set, std::mt19937_64& random, std::uint8_t xorByte)
{
    constexpr std::size_t kBlock = 2048, kHeaderBlocks = 16;
    const std::string name = std::to_string(63240000 + number);
    std::string head(0x400, '\0');
    head.replace(0x10, 6, "DSKIMG");
    head.replace(0x41, 6, "GARMIN");
    head.replace(0x49, 20, "Benchmark tile      ");
    head[0x40] = 2;
    head[0x61] = 9;
    head[0x62] = 2;
    const auto entry = [&](const std::string& nameAndType, std::size_t size, std::size_t part, std::size_t first,
                           std::size_t count) {
        std::string e(512, '\xFF');
        e[0] = 1;
        e.replace(1, 11, nameAndType);
        e.replace(0x0C, 20, std::string(20, '\0'));
        Put(e, 0x0C, part == 0 ? size : 0, 4);
        Put(e, 0x11, part, 2);
        for (std::size_t k = 0; k < count; ++k)
            Put(e, 0x20 + 2 * k, first + k, 2);
        head += e;
    };
    entry(std::string(11, ' '), kHeaderBlocks * kBlock, 0, 0, kHeaderBlocks);
    std::size_t block = kHeaderBlocks;
    for (const auto& [type, size] : {std::pair<std::string, std::size_t>{"TRE", 0x78}, {"RGN", set.rgnSize}, {"LBL", set.lblSize}}) {
        const std::size_t blocks = (size + kBlock - 1) / kBlock;
        for (std::size_t part = 0; part * 240 < blocks; ++part)
            entry(name + type, size, part, block + part * 240, std::min<std::size_t>(240, blocks - part * 240));
        block += blocks;
    }
    head.resize(kHeaderBlocks * kBlock, '\0');
    for (std::size_t i = 1; i < head.size(); ++i)
        head[i] = static_cast<char>(head[i] ^ xorByte);
    head[0] = static_cast<char>(xorByte);
    std::ofstream out(file, std::ios::binary);
    out.write(head.data(), static_cast<std::streamsize>(head.size()));
    std::string data(1 << 20, '\0');
    const std::size_t total = (block - kHeaderBlocks) * kBlock;
    for (std::size_t written = 0; written < total; written += data.size()) {
        for (std::size_t i = 0; i < data.size(); i += 8)
            Put(data, i, random(), 8);
        out.write(data.data(), static_cast<std::streamsize>(std::min(data.size(), total - written)));
    }
}

struct Tiles {
    fs::path folder;
    std::vector<std::string> paths;
    std::uint64_t bytes = 0;
    Tiles(const TileSet& set, std::uint8_t xorByte)
    {
        folder = fs::temp_directory_path() / ("mapwren-bench-combined-" + std::to_string(getpid()) + "-" +
                                              std::to_string(set.count) + "-" + std::to_string(xorByte));
        fs::create_directories(folder);
        std::mt19937_64 random(7);
        for (int i = 0; i < set.count; ++i) {
            const fs::path file = folder / (std::to_string(63240000 + i) + ".img");
            WriteTile(file, i, set, random, xorByte);
            paths.push_back(Utf8FromPath(file));
            bytes += fs::file_size(file);
        }
    }
    ~Tiles()
    {
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
};

// The floor: each tile read in 1 MB pieces and written after the last into one file, which is then flushed.
void CopyLoop(const Tiles& tiles, const fs::path& target)
{
    const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    std::vector<char> buffer(1 << 20);
    for (const std::string& path : tiles.paths) {
        const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        for (ssize_t n; (n = ::read(in, buffer.data(), buffer.size())) > 0;)
            if (::write(out, buffer.data(), static_cast<std::size_t>(n)) != n)
                break;
        ::close(in);
    }
    ::fsync(out);
    ::close(out);
}

// The peak memory in MB of planning and writing, measured in a process of its own.
double PeakMegabytesOfWrite(const Tiles& tiles, const fs::path& target)
{
    const pid_t pid = fork();
    if (pid == 0) {
        Result<CombinedPlan> plan = PlanCombinedMap(tiles.paths, "Benchmark");
        _exit(plan.ok() && WriteCombinedMap(plan.value(), Utf8FromPath(target), nullptr).ok() ? 0 : 1);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return status == 0 ? usage.ru_maxrss / 1024.0 : -1;
}

// Argument 0: 100 tiles copied between the files by the system where it can
// (copy_file_range on Linux); 1: the same XORed, so every byte passes through
// memory, as it does where the system offers no range copy; 2: 15,000 tiles.
void BM_WriteCombinedMap(benchmark::State& state)
{
    const auto made = [](const TileSet& set, std::uint8_t xorByte) { return std::make_unique<Tiles>(set, xorByte); };
    static const std::unique_ptr<Tiles> sets[3] = {made(kLargeTiles, 0), made(kLargeTiles, 0x5A), made(kManyTiles, 0)};
    const Tiles& tiles = *sets[state.range(0)];
    const fs::path floorFile = tiles.folder / "floor.out", combined = tiles.folder / "gmapsupp.img";
    double floor = 0, written = 0;
    std::uintmax_t combinedBytes = 0;
    const auto copyLoop = [&] {
        floor += Seconds([&] { CopyLoop(tiles, floorFile); });
        fs::remove(floorFile);
    };
    bool floorFirst = true;
    for (auto _ : state) {
        state.PauseTiming();
        if (floorFirst)   // each first in turn, so that neither always meets the other's writes on the disk
            copyLoop();
        state.ResumeTiming();
        written += Seconds([&] {
            Result<CombinedPlan> plan = PlanCombinedMap(tiles.paths, "Benchmark");
            if (!plan || !WriteCombinedMap(plan.value(), Utf8FromPath(combined), nullptr))
                state.SkipWithError("the combined file was not written");
        });
        state.PauseTiming();
        combinedBytes = fs::file_size(combined);
        fs::remove(combined);
        if (!floorFirst)
            copyLoop();
        floorFirst = !floorFirst;
        state.ResumeTiming();
    }
    state.counters["x_floor"] = written / floor;
    state.counters["MB"] = static_cast<double>(tiles.bytes) / (1 << 20);
    // Every subfile starts on a block of its own: small ones leave most of theirs zeros.
    state.counters["out_MB"] = static_cast<double>(combinedBytes) / (1 << 20);
    state.counters["peak_MB"] = PeakMegabytesOfWrite(tiles, combined);
    fs::remove(combined);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * tiles.bytes));
}
BENCHMARK(BM_WriteCombinedMap)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(4)->UseRealTime();

} // namespace
} // namespace mapwren::bench
