#include "support/Fixtures.h"

#include <atomic>
#include <cmath>
#include <fstream>
#include <random>
#include <stdexcept>
#include <utility>

#include "common/Paths.h"

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

// The header as WriteImg writes it, not yet XORed but for the marks.
static std::string ImgHeader(const std::string& firstPart, const std::string& secondPart, std::uint8_t xorByte)
{
    std::string bytes(73, '\0');
    bytes[0] = static_cast<char>(xorByte);
    for (const auto& [at, mark] : {std::pair<std::size_t, std::string>{0x10, "DSKIMG"}, {0x41, "GARMIN"}})
        for (std::size_t i = 0; i < mark.size(); ++i)
            bytes[at + i] = static_cast<char>(mark[i] ^ xorByte);
    bytes += (firstPart + std::string(20, ' ')).substr(0, 20) + std::string(8, '\0') +
             (secondPart + std::string(30, ' ')).substr(0, 30);
    for (std::size_t i = 73; i < bytes.size(); ++i)
        if (i < 93 || i >= 101)
            bytes[i] = static_cast<char>(bytes[i] ^ xorByte);
    return bytes;
}

void WriteImg(const fs::path& file, const std::string& firstPart, const std::string& secondPart,
              std::uint8_t xorByte, std::uintmax_t size)
{
    const std::string bytes = ImgHeader(firstPart, secondPart, xorByte);
    WriteBytes(file, bytes);
    if (size > bytes.size())
        fs::resize_file(file, size);   // sparse: a test may have maps of gigabytes
}

static void PutLittleEndian(std::string& bytes, std::size_t at, std::int64_t value, int count)
{
    for (int i = 0; i < count; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A directory entry: in use, named, typed, its size, part 0 and its first block.
static std::string DirectoryEntry(const std::string& name, const std::string& type, std::int64_t size, int block)
{
    std::string entry(512, '\xFF');
    entry[0] = 1;
    entry.replace(1, 11, (name + std::string(8, ' ')).substr(0, 8) + type);
    PutLittleEndian(entry, 0x0C, size, 4);
    PutLittleEndian(entry, 0x10, 0, 2);
    entry.replace(0x12, 14, std::string(14, '\0'));
    PutLittleEndian(entry, 0x20, block, 2);
    return entry;
}

void WriteTileImg(const fs::path& file, const std::string& mapName, const std::vector<TileSpec>& tiles,
                  std::uint8_t xorByte, int directoryAt)
{
    constexpr int kBlock = 2048;
    std::string bytes = ImgHeader(mapName, "", 0);
    bytes.resize(static_cast<std::size_t>(directoryAt), '\0');
    bytes[0] = 0;
    bytes[0x40] = static_cast<char>(directoryAt / 512);
    bytes[0x61] = 9;   // 2^(9 + 2) bytes a block
    bytes[0x62] = 2;
    const std::size_t entries = 1 + 2 * tiles.size();
    const int firstDataBlock = static_cast<int>((directoryAt + 512 * entries + kBlock - 1) / kBlock);
    bytes += DirectoryEntry("", "   ", std::int64_t{firstDataBlock} * kBlock, 0);
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        bytes += DirectoryEntry(tiles[i].name, "RGN", 100, firstDataBlock + 2 * static_cast<int>(i) + 1);
        bytes += DirectoryEntry(tiles[i].name, "TRE", 0x21, firstDataBlock + 2 * static_cast<int>(i));
    }
    for (const TileSpec& tile : tiles) {
        std::string tre(2 * kBlock, '\0');
        int at = 0x15;
        for (const double degrees : {tile.north, tile.east, tile.south, tile.west})
            PutLittleEndian(tre, std::exchange(at, at + 3), std::llround(degrees * (1 << 24) / 360), 3);
        bytes.resize(static_cast<std::size_t>(firstDataBlock) * kBlock + (&tile - tiles.data()) * 2 * kBlock, '\0');
        bytes += tre;
    }
    for (char& c : bytes)
        c = static_cast<char>(c ^ xorByte);
    WriteBytes(file, bytes);
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

} // namespace mapwren::testing

namespace mapwren::testing {

std::string GarminDeviceXml(const std::string& description, const std::string& partNumber, const std::string& unitId)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\n"
           "<Device xmlns=\"http://www.garmin.com/xmlschemas/GarminDevice/v2\"\n"
           "        xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">\n"
           "  <Model>\n"
           "    <PartNumber>" + partNumber + "</PartNumber>\n"
           "    <SoftwareVersion>480</SoftwareVersion>\n"
           "    <Description>" + description + "</Description>\n"
           "  </Model>\n"
           "  <Id>" + unitId + "</Id>\n"
           "  <MassStorageMode>\n"
           "    <DataType><Name>CustomMaps</Name><File><Location><Path>Garmin/CustomMaps</Path>"
           "<FileExtension>kmz</FileExtension></Location></File></DataType>\n"
           "  </MassStorageMode>\n"
           "</Device>\n";
}

void WriteGarminDevice(const std::filesystem::path& root, const std::string& description)
{
    std::filesystem::create_directories(root / "Garmin");
    WriteBytes(root / "Garmin" / "GarminDevice.xml", GarminDeviceXml(description));
}

} // namespace mapwren::testing
