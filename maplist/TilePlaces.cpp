#include "maplist/TilePlaces.h"

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <optional>
#include <system_error>

#include "common/Paths.h"

namespace mapwren {

namespace {

// Where things lie in a map file (an IMG file system) and in a TRE header.
constexpr std::size_t kXorAt = 0x00, kDirectoryBlockAt = 0x40, kBlockShiftAt = 0x61;
constexpr std::size_t kEntryLength = 512, kEntryTypeAt = 0x09, kEntrySizeAt = 0x0C, kEntryPartAt = 0x10,
                      kEntryBlocksAt = 0x20;
constexpr std::size_t kTreNorthAt = 0x15, kTreHeaderLength = 0x21;
// Header and directory of a single tile fit in the first read; a combined file's longer directory takes a second.
constexpr std::size_t kFirstRead = 16384;

// A map file read at given places, with the XOR byte undone.
class ImgReader {
public:
    explicit ImgReader(const std::string& path) : in_(PathFromUtf8(path), std::ios::binary) {}
    bool IsOpen() const { return in_.is_open(); }

    // The bytes from offset on, fewer at the file's end; nothing when the read fails.
    std::optional<std::string> Read(std::uint64_t offset, std::size_t count)
    {
        std::string bytes(count, '\0');
        in_.clear();
        if (!in_.seekg(static_cast<std::streamoff>(offset)))
            return std::nullopt;
        in_.read(bytes.data(), static_cast<std::streamsize>(count));
        if (in_.bad())
            return std::nullopt;
        bytes.resize(static_cast<std::size_t>(in_.gcount()));
        for (char& c : bytes)
            c = static_cast<char>(c ^ xor_);
        return bytes;
    }
    void SetXor(char value) { xor_ = value; }

private:
    std::ifstream in_;
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

// The directory's entries, from its start to the end the blank-named entry gives.
std::optional<std::string> ReadDirectory(ImgReader& file, std::string head)
{
    const std::uint64_t start = 512ull * static_cast<std::uint8_t>(head[kDirectoryBlockAt]);
    for (std::uint64_t at = start; at + kEntryLength <= head.size(); at += kEntryLength) {
        const std::string_view entry(head.data() + at, kEntryLength);
        if (!IsBlank(entry.substr(1, 8)))
            continue;
        const std::uint64_t end = Unsigned(entry, kEntrySizeAt, 4);
        if (end <= start)
            return std::nullopt;
        if (end <= head.size())
            return head.substr(start, end - start);
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
    for (std::size_t i = 1; i < head->size(); ++i)
        (*head)[i] = static_cast<char>((*head)[i] ^ xorByte);
    file.SetXor(xorByte);
    const unsigned shift = static_cast<std::uint8_t>((*head)[kBlockShiftAt]) +
                           static_cast<std::uint8_t>((*head)[kBlockShiftAt + 1]);
    const std::optional<std::string> directory = ReadDirectory(file, std::move(*head));
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
