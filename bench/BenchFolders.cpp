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

    const ImgFolder& Get(std::size_t count, bool tiles)
    {
        auto& slot = folders_[{count, tiles}];
        if (!slot)
            slot = std::make_unique<ImgFolder>(Generate(count, tiles));
        return *slot;
    }

private:
    static ImgFolder Generate(std::size_t count, bool tiles)
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
            if (tiles)
                header = AsTile(std::move(header), i);
            // 8.3 names as map tiles have them, unique, in no particular order, mixed case.
            const std::string number = std::to_string(10000000 + (i * 7919 + 1234567) % 10000000);
            std::string file = number.substr(1) + (i % 2 ? ".IMG" : ".img");
            file.insert(file.begin(), i % 2 ? 'I' : 'i');
            const fs::path path = dir / file;
            std::ofstream(path, std::ios::binary).write(header.data(), static_cast<std::streamsize>(header.size()));
            fs::resize_file(path, header.size() + id % 5000000);   // sparse: varied sizes at no disk cost
            result.names.push_back(file);
        }
        return result;
    }

    // A tile from a 131-byte header: the directory at 512 in
    // 512-byte blocks, its own entry and a TRE entry, and the TRE header at
    // 1536 with tile i of a grid of 0.2 by 0.1 degree tiles from 5 E 45 N.
    static std::string AsTile(std::string header, std::size_t i)
    {
        header.resize(512, '\0');
        header[0x40] = 1;
        header[0x61] = 9;   // 2^(9 + 0) bytes a block
        header[0x62] = 0;
        const auto entry = [](const char* nameAndType, int size, int block) {
            std::string e(512, '\xFF');
            e.replace(0, 0x20, std::string(0x20, '\0'));
            e[0] = 1;
            e.replace(1, 11, nameAndType);
            e[0x0C] = static_cast<char>(size & 0xFF), e[0x0D] = static_cast<char>(size >> 8);
            e[0x20] = static_cast<char>(block), e[0x21] = 0;
            return e;
        };
        std::string tre(0x21, '\0');
        const auto put = [&](std::size_t at, double degrees) {
            const auto units = static_cast<std::int32_t>(degrees * (1 << 24) / 360);
            for (int b = 0; b < 3; ++b)
                tre[at + b] = static_cast<char>((units >> (8 * b)) & 0xFF);
        };
        const double west = 5 + 0.2 * static_cast<double>(i % 100), south = 45 + 0.1 * static_cast<double>(i / 100 % 100);
        put(0x15, south + 0.1), put(0x18, west + 0.2), put(0x1B, south), put(0x1E, west);
        return header + entry("           ", 1536, 0) + entry("63240001TRE", 0x21, 3) + tre;
    }

    std::map<std::pair<std::size_t, bool>, std::unique_ptr<ImgFolder>> folders_;
};

FolderCache& Cache()
{
    static FolderCache cache;
    return cache;
}

} // namespace

const ImgFolder& GeneratedImgFolder(std::size_t count) { return Cache().Get(count, false); }

const ImgFolder& GeneratedTileFolder(std::size_t count) { return Cache().Get(count, true); }

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
