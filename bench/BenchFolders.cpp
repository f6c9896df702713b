#include "BenchFolders.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>

#include "common/Paths.h"

namespace mapwren::bench {

namespace fs = std::filesystem;

namespace {

// Owns the generated folders; its destructor at exit removes them.
class FolderCache {
public:
    ~FolderCache()
    {
        std::error_code ec;
        for (const auto& [count, folder] : folders_)
            fs::remove_all(PathFromUtf8(folder->folder), ec);
    }

    const ImgFolder& Get(std::size_t count)
    {
        auto& slot = folders_[count];
        if (!slot)
            slot = std::make_unique<ImgFolder>(Generate(count));
        return *slot;
    }

private:
    static ImgFolder Generate(std::size_t count)
    {
        std::mt19937 random(static_cast<unsigned>(count));
        const fs::path dir = fs::temp_directory_path() / ("mapwren-bench-" + std::to_string(count) + "-" +
                                                          std::to_string(std::random_device()()));
        fs::create_directories(dir);
        ImgFolder result{Utf8FromPath(dir) + kPathSeparator, {}};
        result.names.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            const unsigned id = random();
            std::string header(131, ' ');
            header[0] = 0;
            const std::string name = "Topo " + std::to_string(id % 100000) + " Region";
            header.replace(73, name.size(), name);
            // 8.3 names as map tiles have them, unique, in no particular order, mixed case.
            const std::string number = std::to_string(10000000 + (i * 7919 + 1234567) % 10000000);
            std::string file = number.substr(1) + (i % 2 ? ".IMG" : ".img");
            file.insert(file.begin(), i % 2 ? 'I' : 'i');
            const fs::path path = dir / file;
            std::ofstream(path, std::ios::binary).write(header.data(), static_cast<std::streamsize>(header.size()));
            fs::resize_file(path, 131 + id % 5000000);   // sparse: varied sizes at no disk cost
            result.names.push_back(file);
        }
        return result;
    }

    std::map<std::size_t, std::unique_ptr<ImgFolder>> folders_;
};

} // namespace

const ImgFolder& GeneratedImgFolder(std::size_t count)
{
    static FolderCache cache;
    return cache.Get(count);
}

} // namespace mapwren::bench
