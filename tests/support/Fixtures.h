#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

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
void WriteBytes(const std::filesystem::path& file, const std::string& bytes);
std::string ReadBytes(const std::filesystem::path& file);

} // namespace mapwren::testing
