#include "maplist/TilePlaces.h"

#include <cerrno>
#include <cstdint>
#include <optional>
#include <system_error>

#include "common/Paths.h"

#ifdef _WIN32
#include <fstream>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace mapwren {

namespace {

// Where things lie in a map file (an IMG file system) and in a TRE header.
constexpr std::size_t kXorAt = 0x00, kDirectoryBlockAt = 0x40, kBlockShiftAt = 0x61;
constexpr std::size_t kEntryLength = 512, kEntryTypeAt = 0x09, kEntrySizeAt = 0x0C, kEntryPartAt = 0x10,
                      kEntryBlocksAt = 0x20;
constexpr std::size_t kTreNorthAt = 0x15, kTreHeaderLength = 0x21;
// Header and directory of a single tile fit in the first read; a combined file's longer directory takes a second.
constexpr std::size_t kFirstRead = 4096;
// A combined file of thousands of tiles has a directory of some megabytes; a
// far larger size is a damaged file, not worth the memory.
constexpr std::uint64_t kLongestDirectory = 64 << 20;

void Unxor(std::string& bytes, std::size_t from, char xorByte)
{
    if (xorByte != 0)   // most maps are not XORed, and a tile is read in some kilobytes
        for (std::size_t i = from; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(bytes[i] ^ xorByte);
}

// A map file read at given places, with the XOR byte undone. On POSIX each
// read is one pread; elsewhere an unbuffered stream, which asks the system
// for exactly the bytes wanted.
class ImgReader {
public:
#ifdef _WIN32
    explicit ImgReader(const std::string& path)
    {
        in_.rdbuf()->pubsetbuf(nullptr, 0);
        in_.open(PathFromUtf8(path), std::ios::binary);
    }
    bool IsOpen() const { return in_.is_open(); }
#else
    explicit ImgReader(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~ImgReader()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ImgReader(const ImgReader&) = delete;
    ImgReader& operator=(const ImgReader&) = delete;
    bool IsOpen() const { return fd_ >= 0; }
#endif

    // The bytes from offset on, fewer at the file's end; nothing when the read fails.
    std::optional<std::string> Read(std::uint64_t offset, std::size_t count)
    {
        std::string bytes(count, '\0');
        std::size_t got = 0;
#ifdef _WIN32
        in_.clear();
        if (!in_.seekg(static_cast<std::streamoff>(offset)))
            return std::nullopt;
        in_.read(bytes.data(), static_cast<std::streamsize>(count));
        if (in_.bad())
            return std::nullopt;
        got = static_cast<std::size_t>(in_.gcount());
#else
        while (got < count) {
            const ssize_t n = ::pread(fd_, bytes.data() + got, count - got, static_cast<off_t>(offset + got));
            if (n < 0)
                return std::nullopt;
            if (n == 0)
                break;
            got += static_cast<std::size_t>(n);
        }
#endif
        bytes.resize(got);
        Unxor(bytes, 0, xor_);
        return bytes;
    }
    void SetXor(char value) { xor_ = value; }

private:
#ifdef _WIN32
    std::ifstream in_;
#else
    int fd_;
#endif
    char xor_ = 0;
};

std::uint32_t Unsigned(std::string_view bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

double Degrees(std::string_view bytes, std::size_t at)
{
    auto value = static_cast<std::int32_t>(Unsigned(bytes, at, 3));
    if (value >= 0x800000)
        value -= 0x1000000;
    return value * 360.0 / (1 << 24);
}

GeoBox BoundsFromTreHeader(std::string_view header)
{
    GeoBox box{Degrees(header, kTreNorthAt), Degrees(header, kTreNorthAt + 3), Degrees(header, kTreNorthAt + 6),
               Degrees(header, kTreNorthAt + 9)};
    if (box.east < box.west)
        box.east += 360;   // across the 180th meridian
    return box;
}

bool IsBlank(std::string_view name) { return name.find_first_not_of(' ') == std::string_view::npos; }

// The directory's entries, from its start to the end the blank-named entry
// gives; a start past the first read is read on its own.
std::optional<std::string> ReadDirectory(ImgReader& file, const std::string& head)
{
    const std::uint64_t start = 512ull * static_cast<std::uint8_t>(head[kDirectoryBlockAt]);
    const std::optional<std::string> first =
        start + kEntryLength <= head.size() ? head.substr(start) : file.Read(start, kFirstRead);
    for (std::size_t at = 0; first && at + kEntryLength <= first->size(); at += kEntryLength) {
        const std::string_view entry(first->data() + at, kEntryLength);
        if (!IsBlank(entry.substr(1, 8)))
            continue;
        const std::uint64_t end = Unsigned(entry, kEntrySizeAt, 4);
        if (end <= start || end - start > kLongestDirectory)
            return std::nullopt;
        if (end - start <= first->size())
            return first->substr(0, end - start);
        return file.Read(start, end - start);
    }
    return std::nullopt;
}

// Each TRE subfile's name and the offset of its first block.
std::vector<std::pair<std::string, std::uint64_t>> TreSubfiles(std::string_view directory, unsigned blockSize)
{
    std::vector<std::pair<std::string, std::uint64_t>> found;
    for (std::size_t at = 0; at + kEntryLength <= directory.size(); at += kEntryLength) {
        const std::string_view entry = directory.substr(at, kEntryLength);
        const std::uint32_t firstBlock = Unsigned(entry, kEntryBlocksAt, 2);
        if (entry[0] == 1 && entry.substr(kEntryTypeAt, 3) == "TRE" && Unsigned(entry, kEntryPartAt, 2) == 0 &&
            firstBlock != 0xFFFF && Unsigned(entry, kEntrySizeAt, 4) >= kTreHeaderLength)
            found.emplace_back(std::string(entry.substr(1, 8)), std::uint64_t{firstBlock} * blockSize);
    }
    return found;
}

using Places = Result<std::vector<TilePlace>>;

Places Unreadable(const std::string& path, const std::string& why)
{
    return Places::Failure("The map file \"" + path + "\" could not be read: " + why + ".");
}

Places NoTre(const std::string& path)
{
    return Places::Failure("The map file \"" + path + "\" holds no tile bounds (no TRE subfile), so it has no place on the map.");
}

} // namespace

Places ReadTilePlaces(const std::string& path)
{
    if (path.find('\0') != std::string::npos)
        return Unreadable(path, std::make_error_code(std::errc::invalid_argument).message());
    errno = 0;
    ImgReader file(path);
    if (!file.IsOpen())
        return Unreadable(path, std::error_code(errno ? errno : ENOENT, std::generic_category()).message());
    std::optional<std::string> head = file.Read(0, kFirstRead);
    if (!head)
        return Unreadable(path, std::make_error_code(std::errc::io_error).message());
    if (head->size() <= kBlockShiftAt + 1)
        return NoTre(path);
    const char xorByte = (*head)[kXorAt];
    Unxor(*head, kXorAt + 1, xorByte);
    file.SetXor(xorByte);
    const unsigned shift = static_cast<std::uint8_t>((*head)[kBlockShiftAt]) +
                           static_cast<std::uint8_t>((*head)[kBlockShiftAt + 1]);
    const std::optional<std::string> directory = ReadDirectory(file, *head);
    if (!directory || shift > 24)
        return NoTre(path);
    std::vector<TilePlace> places;
    for (const auto& [name, offset] : TreSubfiles(*directory, 1u << shift)) {
        const std::optional<std::string> tre = file.Read(offset, kTreHeaderLength);
        if (tre && tre->size() == kTreHeaderLength)
            places.push_back({name, BoundsFromTreHeader(*tre)});
    }
    if (places.empty())
        return NoTre(path);
    return places;
}

} // namespace mapwren
