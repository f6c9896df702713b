#include "support/Fixtures.h"

#include <atomic>
#include <cmath>
#include <fstream>
#include <numeric>
#include <random>
#include <stdexcept>

#include "common/Paths.h"

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace mapwren::testing {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
    do
        path_ = fs::temp_directory_path() /
                ("mapwren-test-" + std::to_string(std::random_device()()) + "-" + std::to_string(counter++));
    while (!fs::create_directory(path_));
}

// Removes what can be removed, folders made writable first, and leaves the rest. Not fs::remove_all: with MinGW it
// spins for ever on a file another process still holds open (the command interpreter running a batch file the test wrote).
static void RemoveTree(const fs::path& path)
{
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(path, ec))) {
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
        std::vector<fs::path> entries;
        for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
            entries.push_back(it->path());
        for (const fs::path& entry : entries)
            RemoveTree(entry);
    }
    fs::remove(path, ec);
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string TempDir::folder() const { return Utf8FromPath(path_) + kPathSeparator; }

// The header as WriteImg writes it: its marks and name parts XORed, the rest left zero.
static std::string ImgHeader(const std::string& firstPart, const std::string& secondPart, std::uint8_t xorByte)
{
    std::string bytes = std::string(0x10, '\0') + "DSKIMG" + std::string(0x2B, '\0') + "GARMIN" + std::string(2, '\0') +
                        (firstPart + std::string(20, ' ')).substr(0, 20) + std::string(8, '\0') +
                        (secondPart + std::string(30, ' ')).substr(0, 30);
    for (std::size_t i = 1; i < bytes.size(); ++i)
        if (i < 0x49 ? bytes[i] != '\0' : (i < 0x5D || i >= 0x65))
            bytes[i] = static_cast<char>(bytes[i] ^ xorByte);
    bytes[0] = static_cast<char>(xorByte);
    return bytes;
}

void WriteImg(const fs::path& file, const std::string& firstPart, const std::string& secondPart,
              std::uint8_t xorByte, std::uintmax_t size)
{
    WriteBytes(file, ImgHeader(firstPart, secondPart, xorByte));
    if (size > fs::file_size(file))
        fs::resize_file(file, size);   // sparse: a test may have maps of gigabytes
}

std::string Le(std::uint64_t value, int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i)
        bytes += static_cast<char>(value >> (8 * i));
    return bytes;
}

void WriteTileImg(const fs::path& file, const std::string& mapName, const std::vector<TileSpec>& tiles,
                  std::uint8_t xorByte, int directoryAt)
{
    std::vector<SubfileSpec> subfiles;
    for (const TileSpec& tile : tiles) {
        std::string tre = TreBytes(tile.north, tile.east, tile.south, tile.west).substr(0, 0x21);
        tre[0] = 0;   // no header length: the bounds are all a tile's TRE need hold here
        subfiles.push_back({tile.name, "RGN", "", 100});
        subfiles.push_back({tile.name, "TRE", tre});
    }
    WriteContainer(file, subfiles, 2048, xorByte, false, mapName.substr(0, 20), static_cast<unsigned>(directoryAt));
}

void WriteContainer(const fs::path& file, const std::vector<SubfileSpec>& subfiles, unsigned blockSize,
                    std::uint8_t xorByte, bool scattered, const std::string& description, unsigned directoryAt)
{
    const auto sizeOf = [](const SubfileSpec& s) { return s.bytes.empty() ? s.size : s.bytes.size(); };
    const auto blocksOf = [&](const SubfileSpec& s) { return std::max<std::uint64_t>(1, (sizeOf(s) + blockSize - 1) / blockSize); };
    std::uint64_t entries = 1;
    for (const SubfileSpec& s : subfiles)
        entries += (blocksOf(s) + 239) / 240;
    const std::uint64_t headerBlocks = (directoryAt + 512 * entries + blockSize - 1) / blockSize;
    std::string bytes = ImgHeader(description.substr(0, 20), description.size() > 20 ? description.substr(20) : "", 0);
    bytes.resize(directoryAt, '\0');
    bytes[0x40] = static_cast<char>(directoryAt / 512);
    bytes[0x61] = 9;
    for (unsigned b = blockSize >> 9; b > 1; b >>= 1)
        ++bytes[0x62];
    // The header's own blocks first, then each subfile's, in reverse order when scattered.
    std::vector<std::vector<std::uint64_t>> blocks{std::vector<std::uint64_t>(headerBlocks)};
    std::iota(blocks[0].begin(), blocks[0].end(), 0);
    std::uint64_t next = headerBlocks;
    for (const SubfileSpec& s : subfiles) {
        blocks.emplace_back();
        for (std::uint64_t k = 0; k < blocksOf(s); ++k)
            blocks.back().push_back(scattered ? next + blocksOf(s) - 1 - k : next + k);
        next += blocksOf(s);
    }
    const SubfileSpec header{"", "", "", headerBlocks * blockSize};
    for (std::size_t f = 0; f < blocks.size(); ++f) {
        const SubfileSpec& s = f == 0 ? header : subfiles[f - 1];
        for (std::size_t part = 0; part * 240 < blocks[f].size(); ++part) {
            std::string e(512, '\0');
            e[0] = 1;
            e.replace(1, 11, (s.name + std::string(8, ' ')).substr(0, 8) + (s.type + "   ").substr(0, 3));
            e.replace(0x0C, 4, Le(part == 0 ? sizeOf(s) : 0, 4));
            e[0x10] = static_cast<char>(f == 0 ? 3 : 0);
            e.replace(0x11, 2, Le(part, 2));
            for (std::size_t i = part * 240; i < part * 240 + 240; ++i)
                e.replace(0x20 + 2 * (i - part * 240), 2, Le(i < blocks[f].size() ? blocks[f][i] : 0xFFFF, 2));
            bytes += e;
        }
    }
    // In memory up to the end of the last subfile given by its bytes; the
    // rest (zeros) is left sparse on the disk.
    bytes.resize(headerBlocks * blockSize, '\0');
    for (std::size_t f = 1; f < blocks.size(); ++f)
        for (std::size_t k = 0; !subfiles[f - 1].bytes.empty() && k < blocks[f].size(); ++k) {
            const std::string& from = subfiles[f - 1].bytes;
            const std::string piece = from.substr(std::min<std::size_t>(from.size(), k * blockSize), blockSize);
            bytes.resize(std::max<std::size_t>(bytes.size(), (blocks[f][k] + 1) * blockSize), '\0');
            bytes.replace(blocks[f][k] * blockSize, piece.size(), piece);
        }
    for (std::size_t i = 1; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(bytes[i] ^ xorByte);
    bytes[0] = static_cast<char>(xorByte);
    WriteBytes(file, bytes);
    if (next * blockSize > bytes.size())
        fs::resize_file(file, next * blockSize);
}

std::string TreBytes(double north, double east, double south, double west, std::uint32_t mapId)
{
    std::string tre = Le(0x78, 2) + std::string(0x13, '\0');
    for (const double degrees : {north, east, south, west})
        tre += Le(static_cast<std::uint64_t>(std::llround(degrees * (1 << 24) / 360)), 3);
    return tre + std::string(0x74 - 0x21, '\0') + Le(mapId, 4);
}

std::optional<int> RunMkgmap(const fs::path& folder, std::vector<std::string> args)
{
#ifdef _WIN32
    (void)folder, (void)args;
    return std::nullopt;
#else
    args.insert(args.begin(), {"mkgmap", "--output-dir=" + folder.string()});
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid;
    int status = -1;
    const bool started = posix_spawnp(&pid, "mkgmap", &quiet, nullptr, argv.data(), environ) == 0;
    posix_spawn_file_actions_destroy(&quiet);
    if (!started || waitpid(pid, &status, 0) != pid)
        return std::nullopt;
    return status;
#endif
}

void WriteRoadOsm(const fs::path& file, int west)
{
    std::string osm = "<osm version='0.6'><bounds minlat='50' minlon='W' maxlat='50.5' maxlon='W.75'/>"
                      "<node id='1' lat='50.1' lon='W.1'/><node id='2' lat='50.4' lon='W.6'/><way id='3'>"
                      "<nd ref='1'/><nd ref='2'/><tag k='highway' v='primary'/><tag k='name' v='Road W'/></way></osm>";
    for (std::size_t at = 0; (at = osm.find('W', at)) != std::string::npos;)
        osm.replace(at, 1, std::to_string(west));
    WriteBytes(file, osm);
}

void WriteBytes(const fs::path& file, const std::string& bytes)
{
    if (!(std::ofstream(file, std::ios::binary) << bytes))
        throw std::runtime_error("cannot write " + file.string());
}

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string GarminDeviceXml(const std::string& description, const std::string& partNumber, const std::string& unitId)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\n"
           "<Device xmlns=\"http://www.garmin.com/xmlschemas/GarminDevice/v2\"\n"
           "        xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
           "  <Model>\n    <PartNumber>" + partNumber + "</PartNumber>\n    <SoftwareVersion>480</SoftwareVersion>\n"
           "    <Description>" + description + "</Description>\n  </Model>\n  <Id>" + unitId + "</Id>\n"
           "  <MassStorageMode>\n    <DataType><Name>CustomMaps</Name><File><Location><Path>Garmin/CustomMaps</Path>"
           "<FileExtension>kmz</FileExtension></Location></File></DataType>\n  </MassStorageMode>\n"
           "</Device>\n";
}

void WriteGarminDevice(const std::filesystem::path& root, const std::string& description)
{
    std::filesystem::create_directories(root / "Garmin");
    WriteBytes(root / "Garmin" / "GarminDevice.xml", GarminDeviceXml(description));
}

} // namespace mapwren::testing
