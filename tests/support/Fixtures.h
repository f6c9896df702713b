#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace mapwren::testing {

// A fresh folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string folder() const;   // as UTF-8 text ending with the path separator

private:
    std::filesystem::path path_;
};

// A Garmin map file whose header holds its two marks and the two name parts
// (raw bytes, padded with blanks to 20 and 30), XORed with xorByte; at least
// `size` bytes long.
void WriteImg(const std::filesystem::path& file, const std::string& firstPart, const std::string& secondPart,
              std::uint8_t xorByte = 0, std::uintmax_t size = 0);
// One tile of a generated map file: its TRE subfile's name and bounds in degrees.
struct TileSpec {
    std::string name;
    double north = 0, east = 0, south = 0, west = 0;
};
// A map file as WriteImg writes it whose directory holds a TRE subfile (and
// an RGN subfile, as real tiles have) for each tile, in 2048-byte blocks;
// the directory starts at directoryAt, a multiple of 512.
void WriteTileImg(const std::filesystem::path& file, const std::string& mapName, const std::vector<TileSpec>& tiles,
                  std::uint8_t xorByte = 0, int directoryAt = 1024);
// One subfile of a generated map container: its bytes, or (size set) that
// many zero bytes, left sparse on the disk.
struct SubfileSpec {
    std::string name, type, bytes;
    std::uint64_t size = 0;
};
// A map container as mkgmap writes one: header, directory at directoryAt (a
// subfile of more than 240 blocks in several entries), each subfile on
// blocks of its own, in reverse order when scattered; XORed with xorByte.
void WriteContainer(const std::filesystem::path& file, const std::vector<SubfileSpec>& subfiles,
                    unsigned blockSize = 512, std::uint8_t xorByte = 0, bool scattered = false,
                    const std::string& description = "Generated map", unsigned directoryAt = 0x400);
// value's lowest count bytes, least significant first, as map files hold numbers.
std::string Le(std::uint64_t value, int count);
// A TRE subfile's header: bounds in degrees at 0x15, map id at 0x74.
std::string TreBytes(double north, double east, double south, double west, std::uint32_t mapId = 0);
// Runs Debian's mkgmap with args, its output into folder: its exit status,
// none when it is not installed (or under Windows).
std::optional<int> RunMkgmap(const std::filesystem::path& folder, std::vector<std::string> args);
// An OpenStreetMap file of one road named "Road W" across 0.75 by 0.5
// degrees from west E 50 N, for mkgmap to make a tile of.
void WriteRoadOsm(const std::filesystem::path& file, int west);
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& file);

// A receiver's Garmin/GarminDevice.xml under root, as an eTrex writes it:
// namespaced, with its model and unit id.
std::string GarminDeviceXml(const std::string& description, const std::string& partNumber = "006-B1207-00",
                            const std::string& unitId = "3849591234");
void WriteGarminDevice(const std::filesystem::path& root, const std::string& description);

} // namespace mapwren::testing
