#pragma once

#include <cstddef>
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

} // namespace mapwren::bench
