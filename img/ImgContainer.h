#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"

// Reading the IMG container every map file is: a 512-byte header, a
// directory of 512-byte entries, and subfiles (a tile's TRE, RGN, LBL...) in
// blocks. The one reader of it for the map list, the tile map and the
// combined file.
namespace mapwren {

// A map file opened for reading: only an ordinary file is opened, and never
// by waiting (a pipe put in a map's place is refused, not waited on).
class ImgFile {
public:
    // Fails with the system's reason as a sentence naming the file.
    static Result<ImgFile> Open(const std::string& path);
    ImgFile(ImgFile&& other) noexcept;
    ImgFile& operator=(ImgFile&& other) noexcept;
    ~ImgFile();

    const std::string& Path() const { return path_; }
    std::uint64_t Size() const { return size_; }
    // The bytes from offset on with the file's XOR byte undone; fewer at the
    // file's end, none past it; nothing when the system fails to read.
    std::optional<std::string> Read(std::uint64_t offset, std::size_t count) const;
    // The same into buffer, XOR undone: the count of bytes read (fewer at the
    // file's end), or -1 when the system fails to read.
    long long ReadInto(std::uint64_t offset, char* buffer, std::size_t count) const;
    void SetXor(std::uint8_t value) { xor_ = value; }
    std::uint8_t Xor() const { return xor_; }
#ifdef _WIN32
    void* Handle() const { return handle_; }
#else
    int Handle() const { return fd_; }
#endif

private:
    ImgFile() = default;
    std::string path_;
    std::uint64_t size_ = 0;
    std::uint8_t xor_ = 0;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// One subfile: its name and type as the directory holds them (blank-padded
// to 8 and 3 characters), its size, and the blocks holding it in order.
struct ImgSubfile {
    std::string name;
    std::string type;
    std::uint32_t size = 0;
    std::vector<std::uint16_t> blocks;

    std::string FullName() const;   // "63240001.TRE", the blanks trimmed
    // Where its first byte lies in the file.
    std::uint64_t Offset(unsigned blockSize) const { return blocks.empty() ? 0 : std::uint64_t{blocks[0]} * blockSize; }
};

// The directory of a map file.
struct ImgDirectory {
    std::string header;                 // the first 512 bytes, XOR undone
    unsigned blockSize = 512;
    std::vector<ImgSubfile> subfiles;   // in directory order, each once with all its parts' blocks
};

inline constexpr std::size_t kImgHeaderLength = 512;

// The first bytes of a map file (any number of them) with the XOR byte at
// offset 0 applied to the others.
std::string UnxoredHeader(std::string_view head);
// True when an unXORed header bears a map file's two marks: "DSKIMG" at 0x10
// and "GARMIN" at 0x41. A CD image or a renamed photo lacks them.
bool HasImgMarks(std::string_view header);
// The 50-byte description of an unXORed header (its parts at 0x49 and
// 0x65), bytes past the end of a short header as blanks.
std::string ImgDescriptionBytes(std::string_view header);

// Reads the header and the directory. Fails (a sentence naming the file)
// when the file is no map container or its directory is damaged: a subfile
// whose blocks lie past the file's end or that its blocks cannot hold. Reads
// only what the file holds, whatever the directory claims.
Result<ImgDirectory> ReadImgDirectory(ImgFile& file);

// The first count bytes of a subfile (fewer when it is shorter); nothing when
// they cannot be read.
std::optional<std::string> ReadSubfileHead(const ImgFile& file, const ImgDirectory& directory,
                                           const ImgSubfile& subfile, std::size_t count);

// Little-endian unsigned number of count bytes (at most 4) at bytes[at].
std::uint32_t LittleEndian(std::string_view bytes, std::size_t at, int count);

} // namespace mapwren
