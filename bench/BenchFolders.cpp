#include "BenchFolders.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>

#include "common/Paths.h"
#include "listfile/ListFile.h"

#include <fcntl.h>
#include <sys/stat.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

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
            header.replace(0x10, 6, "DSKIMG");   // the marks of a Garmin map
            header.replace(0x41, 6, "GARMIN");
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

GeneratedList::GeneratedList(const ImgFolder& folder)
    : path_(Utf8FromPath(fs::temp_directory_path() / ("mapwren-bench-" + std::to_string(std::random_device()()) + ".mwl")))
{
    std::vector<std::string> paths;
    paths.reserve(folder.names.size());
    for (const std::string& name : folder.names)
        paths.push_back(folder.folder + name);
    ok_ = WriteListFile(path_, {Port::Com, "COM3", 1, "Bench maps"}, paths).ok();
}

GeneratedList::~GeneratedList()
{
    std::error_code ec;
    fs::remove(PathFromUtf8(path_), ec);
}

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

} // namespace mapwren::bench
