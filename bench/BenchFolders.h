#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mapwren::bench {

// A folder of generated map files with varied names and sizes.
struct ImgFolder {
    std::string folder;               // ends with the separator
    std::vector<std::string> names;   // as generated, not ordered
};

// Made on first use for each count, kept for the run, removed at exit.
const ImgFolder& GeneratedImgFolder(std::size_t count);
// The same, each map a tile whose directory holds a TRE subfile with the
// tile's bounds, one of a grid of tiles over Europe.
const ImgFolder& GeneratedTileFolder(std::size_t count);

// A list file naming every map of a generated folder, removed at the end.
class GeneratedList {
public:
    explicit GeneratedList(const ImgFolder& folder);
    ~GeneratedList();
    GeneratedList(const GeneratedList&) = delete;
    GeneratedList& operator=(const GeneratedList&) = delete;
    bool ok() const { return ok_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    bool ok_ = false;
};

// The floor for reading a folder's maps: one open, one read of the header,
// one stat and one close per file, on one thread, over names already known.
std::uint64_t ReadHeadsBare(const ImgFolder& folder);

// Wall time of one call, in seconds.
template <class Work>
double Seconds(Work&& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace mapwren::bench
