#include "img/ImgContainer.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#include "common/Paths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mapwren {

namespace {

constexpr std::size_t kXorAt = 0x00, kDirectoryStartAt = 0x40, kBlockExponentsAt = 0x61;
constexpr std::size_t kEntryLength = 512, kEntryNameAt = 0x01, kEntryTypeAt = 0x09, kEntrySizeAt = 0x0C,
                      kEntryPartAt = 0x10, kEntryBlocksAt = 0x20, kBlocksPerEntry = 240;
// The directory is read in pieces, the first small (a tile's directory is a
// few entries), each next one twice as large up to the largest, so that only
// what the file holds is ever allocated, whatever a damaged header claims.
constexpr std::size_t kFirstDirectoryPiece = 4096, kLargestDirectoryPiece = 256 * 1024;
// Blocks larger than 16 MiB are no real file's.
constexpr unsigned kLargestBlockExponent = 24;

std::string Sentence(const std::string& path, const std::string& why)
{
    return "The map file \"" + path + "\" could not be read: " + why + ".";
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

std::string Trimmed(std::string_view text)
{
    const auto end = text.find_last_not_of(' ');
    return std::string(text.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

} // namespace

std::uint32_t LittleEndian(std::string_view bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

std::string UnxoredHeader(std::string_view head)
{
    std::string bytes(head);
    const char key = bytes.empty() ? 0 : bytes[kXorAt];
    if (key != 0)   // most maps are not XORed
        for (std::size_t i = kXorAt + 1; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(bytes[i] ^ key);
    return bytes;
}

bool HasImgMarks(std::string_view header)
{
    return header.size() >= 0x47 && header.substr(0x10, 6) == "DSKIMG" && header.substr(0x41, 6) == "GARMIN";
}

std::string ImgDescriptionBytes(std::string_view header)
{
    std::string description;
    for (const auto& [at, width] : {std::pair<std::size_t, std::size_t>{0x49, 20}, {0x65, 30}})
        description += (std::string(header.substr(std::min(at, header.size()), width)) + std::string(width, ' ')).substr(0, width);
    return description;
}

std::string ImgSubfile::FullName() const { return Trimmed(name) + "." + Trimmed(type); }

ImgFile::ImgFile(ImgFile&& other) noexcept
    : path_(std::move(other.path_)), size_(other.size_), xor_(other.xor_)
#ifdef _WIN32
      , handle_(std::exchange(other.handle_, nullptr))
#else
      , fd_(std::exchange(other.fd_, -1))
#endif
{
}

ImgFile& ImgFile::operator=(ImgFile&& other) noexcept
{
    if (this != &other) {
        this->~ImgFile();
        new (this) ImgFile(std::move(other));
    }
    return *this;
}

#ifdef _WIN32

ImgFile::~ImgFile()
{
    if (handle_ != nullptr)
        CloseHandle(handle_);
}

Result<ImgFile> ImgFile::Open(const std::string& path)
{
    if (path.find('\0') != std::string::npos)
        return Result<ImgFile>::Failure(Sentence(path, std::make_error_code(std::errc::invalid_argument).message()));
    HANDLE h = CreateFileW(PathFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return Result<ImgFile>::Failure(
            Sentence(path, std::error_code(static_cast<int>(GetLastError()), std::system_category()).message()));
    LARGE_INTEGER size{};
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileSizeEx(h, &size)) {
        CloseHandle(h);
        return Result<ImgFile>::Failure(Sentence(path, std::make_error_code(std::errc::not_supported).message()));
    }
    ImgFile file;
    file.path_ = path;
    file.size_ = static_cast<std::uint64_t>(size.QuadPart);
    file.handle_ = h;
    return file;
}

#else

ImgFile::~ImgFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

Result<ImgFile> ImgFile::Open(const std::string& path)
{
    const auto failure = [&](int error) {
        return Result<ImgFile>::Failure(Sentence(path, std::error_code(error, std::generic_category()).message()));
    };
    if (path.find('\0') != std::string::npos)
        return failure(EINVAL);
    // A pipe is opened without waiting for a writer, then refused unread.
    ImgFile file;
    file.fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (file.fd_ < 0)
        return failure(errno);
    struct stat st {};
    if (::fstat(file.fd_, &st) != 0)
        return failure(errno);
    if (!S_ISREG(st.st_mode))
        return failure(ENOTSUP);
    file.path_ = path;
    file.size_ = static_cast<std::uint64_t>(st.st_size);
    return file;
}

#endif

long long ImgFile::ReadInto(std::uint64_t offset, char* buffer, std::size_t count) const
{
    if (offset >= size_)
        return 0;
    count = static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset));
    std::size_t got = 0;
    while (got < count) {
#ifdef _WIN32
        OVERLAPPED at{};
        const std::uint64_t from = offset + got;
        at.Offset = static_cast<DWORD>(from);
        at.OffsetHigh = static_cast<DWORD>(from >> 32);
        DWORD n = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - got, 1u << 30));
        if (!ReadFile(handle_, buffer + got, chunk, &n, &at) && GetLastError() != ERROR_HANDLE_EOF)
            return -1;
#else
        const ssize_t n = ::pread(fd_, buffer + got, count - got, static_cast<off_t>(offset + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
#endif
        if (n == 0)
            break;   // the file shrank meanwhile
        got += static_cast<std::size_t>(n);
    }
    if (xor_ != 0) {
        // Eight bytes at a time: a combined file's copy of an XORed map passes every byte through here.
        const std::uint64_t key = 0x0101010101010101ull * xor_;
        std::size_t i = 0;
        for (; i + 8 <= got; i += 8) {
            std::uint64_t word;
            std::memcpy(&word, buffer + i, 8);
            word ^= key;
            std::memcpy(buffer + i, &word, 8);
        }
        for (; i < got; ++i)
            buffer[i] = static_cast<char>(buffer[i] ^ xor_);
    }
    return static_cast<long long>(got);
}

std::optional<std::string> ImgFile::Read(std::uint64_t offset, std::size_t count) const
{
    // Never more than the file holds, whatever a damaged header asks for.
    std::string bytes(offset >= size_ ? 0 : static_cast<std::size_t>(std::min<std::uint64_t>(count, size_ - offset)), '\0');
    const long long got = ReadInto(offset, bytes.data(), bytes.size());
    if (got < 0)
        return std::nullopt;
    bytes.resize(static_cast<std::size_t>(got));
    return bytes;
}

namespace {

// Adds one directory entry: a subfile's first part, or a further part's blocks.
void AddEntry(std::string_view entry, std::vector<ImgSubfile>& subfiles)
{
    const std::string_view name = entry.substr(kEntryNameAt, 8), type = entry.substr(kEntryTypeAt, 3);
    if (IsBlank(name))
        return;   // the header's and the directory's own blocks
    std::vector<std::uint16_t>* blocks = nullptr;
    // The part number is a u16 at 0x11 in mkgmap's files (0x10 holds a flag);
    // any of the three bytes set marks a further part, whichever a writer used.
    if (LittleEndian(entry, kEntryPartAt, 3) != 0) {
        const auto it = std::find_if(subfiles.rbegin(), subfiles.rend(),
                                     [&](const ImgSubfile& s) { return s.name == name && s.type == type; });
        if (it != subfiles.rend())
            blocks = &it->blocks;
    }
    if (blocks == nullptr) {
        subfiles.push_back({std::string(name), std::string(type), LittleEndian(entry, kEntrySizeAt, 4), {}});
        blocks = &subfiles.back().blocks;
    }
    for (std::size_t i = 0; i < kBlocksPerEntry; ++i) {
        const auto block = static_cast<std::uint16_t>(LittleEndian(entry, kEntryBlocksAt + 2 * i, 2));
        if (block == 0xFFFF)
            break;
        blocks->push_back(block);
    }
}

// Why a subfile cannot be read as its entry says, or nothing when it can.
std::optional<std::string> Damage(const ImgSubfile& s, unsigned blockSize, std::uint64_t fileSize)
{
    const std::uint64_t needed = (std::uint64_t{s.size} + blockSize - 1) / blockSize;
    if (s.blocks.size() < needed)
        return "its directory gives " + s.FullName() + " fewer blocks than its size needs";
    for (std::uint64_t i = 0; i < needed; ++i) {
        const std::uint64_t used = std::min<std::uint64_t>(blockSize, s.size - i * blockSize);
        if (std::uint64_t{s.blocks[i]} * blockSize + used > fileSize)
            return "it ends before the end of its subfile " + s.FullName() + " (a cut-off copy?)";
    }
    return std::nullopt;
}

} // namespace

Result<ImgDirectory> ReadImgDirectory(ImgFile& file)
{
    using R = Result<ImgDirectory>;
    const std::optional<std::string> read = file.Read(0, kImgHeaderLength);
    if (!read)
        return R::Failure(Sentence(file.Path(), std::make_error_code(std::errc::io_error).message()));
    const std::optional<std::string> head = UnxoredHeader(*read);
    if (head->size() < kImgHeaderLength || !HasImgMarks(*head))
        return R::Failure(Sentence(file.Path(), "it is not a map file (no Garmin map header)"));
    file.SetXor(static_cast<std::uint8_t>((*head)[kXorAt]));
    const unsigned exponent = static_cast<std::uint8_t>((*head)[kBlockExponentsAt]) +
                              static_cast<std::uint8_t>((*head)[kBlockExponentsAt + 1]);
    if (exponent < 9 || exponent > kLargestBlockExponent)
        return R::Failure(Sentence(file.Path(), "its header gives no usable block size"));
    ImgDirectory directory;
    directory.blockSize = 1u << exponent;
    directory.header = *head;
    std::uint64_t at = std::uint64_t{512} * static_cast<std::uint8_t>((*head)[kDirectoryStartAt]);
    std::optional<std::uint64_t> end;
    std::size_t pieceSize = kFirstDirectoryPiece;
    bool ended = false;
    while (!ended && !(end && *end <= at)) {
        const std::size_t want = end ? static_cast<std::size_t>(std::min<std::uint64_t>(pieceSize, *end - at)) : pieceSize;
        const std::optional<std::string> piece = file.Read(at, want);
        if (!piece)
            return R::Failure(Sentence(file.Path(), std::make_error_code(std::errc::io_error).message()));
        std::size_t used = 0;
        for (; used + kEntryLength <= piece->size(); used += kEntryLength) {
            const std::string_view entry(piece->data() + used, kEntryLength);
            if (entry[0] != 1 || (end && at + used >= *end)) {
                ended = true;
                break;
            }
            // The blank-named entry's size is where the directory ends.
            if (!end && IsBlank(entry.substr(kEntryNameAt, 8)))
                end = LittleEndian(entry, kEntrySizeAt, 4);
            AddEntry(entry, directory.subfiles);
        }
        ended = ended || piece->size() < want;   // the file's end
        pieceSize = std::min(2 * pieceSize, kLargestDirectoryPiece);
        at += used;
    }
    for (const ImgSubfile& s : directory.subfiles)
        if (const auto why = Damage(s, directory.blockSize, file.Size()))
            return R::Failure(Sentence(file.Path(), *why));
    return directory;
}

std::optional<std::string> ReadSubfileHead(const ImgFile& file, const ImgDirectory& directory,
                                           const ImgSubfile& subfile, std::size_t count)
{
    count = std::min<std::size_t>(count, subfile.size);
    std::string bytes;
    for (std::size_t i = 0; bytes.size() < count && i < subfile.blocks.size(); ++i) {
        const std::size_t want = std::min<std::size_t>(directory.blockSize, count - bytes.size());
        const std::optional<std::string> part = file.Read(std::uint64_t{subfile.blocks[i]} * directory.blockSize, want);
        if (!part || part->size() != want)
            return std::nullopt;
        bytes += *part;
    }
    return bytes;
}

} // namespace mapwren
