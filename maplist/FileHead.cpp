#include "maplist/FileHead.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include "common/Paths.h"
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace mapwren {

namespace {

Result<FileHead> ReadFailure(const std::string& path, const std::error_code& why)
{
    return Result<FileHead>::Failure("The map file \"" + path + "\" could not be read: " + why.message() + ".");
}

// The system would stop reading a name at a NUL and open another file.
bool HasNul(const std::string& path) { return path.find('\0') != std::string::npos; }

std::error_code BadName() { return std::make_error_code(std::errc::invalid_argument); }

} // namespace

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& path) { return PathFromUtf8(path).wstring(); }

std::error_code LastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }

} // namespace

Result<FileHead> ReadFileHead(const std::string& path)
{
    if (HasNul(path))
        return ReadFailure(path, BadName());
    // Share everything: a map another program holds open still reads.
    const HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ReadFailure(path, LastError());
    FileHead head;
    DWORD got = 0;
    LARGE_INTEGER size{};
    // A device (NUL, CON) is no map file: it is refused unread.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return ReadFailure(path, std::make_error_code(std::errc::not_supported));
    }
    const bool ok = ReadFile(file, head.buffer.data(), static_cast<DWORD>(head.buffer.size()), &got, nullptr) &&
                    GetFileSizeEx(file, &size);
    const std::error_code why = ok ? std::error_code() : LastError();
    CloseHandle(file);
    if (!ok)
        return ReadFailure(path, why);
    head.length = got;
    head.size = static_cast<std::uint64_t>(size.QuadPart);
    return head;
}

FolderReader::FolderReader(const std::string& folder) : folder_(folder) {}

FolderReader::~FolderReader() = default;

bool FolderReader::IsOpen() const { return true; }

std::uint64_t FolderReader::ListingSize() const { return 0; }

std::vector<FolderReader::Entry> FolderReader::Files(bool withHidden) const
{
    std::vector<Entry> files;
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileExW(Wide(folder_ + "*").c_str(), FindExInfoBasic, &entry,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return files;
    const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | (withHidden ? 0 : FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    do {
        if ((entry.dwFileAttributes & skipped) == 0)
            files.push_back({Utf8FromPath(std::filesystem::path(entry.cFileName)), files.size()});
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return files;
}

Result<FileHead> FolderReader::ReadHead(const std::string& name) const
{
    return ReadFileHead(folder_ + name);
}

std::uint64_t FolderReader::SizeOf(const std::string& name) const
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(folder_ + name).c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

#else

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

// Reads the head of an open file and closes it; the path is spelled out only for a message.
Result<FileHead> HeadOfOpenFile(int fd, const std::string& folder, const std::string& name)
{
    FileHead head;
    const std::size_t count = head.buffer.size();
    std::size_t got = 0;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0;
    std::error_code why = ok ? std::error_code() : LastError();
    // A device or a pipe is no map file: it is refused unread.
    if (ok && !S_ISREG(st.st_mode)) {
        ok = false;
        why = std::make_error_code(std::errc::not_supported);
    }
    while (ok && got < count) {
        const ssize_t n = ::pread(fd, head.buffer.data() + got, count - got, static_cast<off_t>(got));
        if (n > 0)
            got += static_cast<std::size_t>(n);
        else if (n == 0)
            break;
        else if (errno != EINTR) {
            ok = false;
            why = LastError();
        }
    }
    ::close(fd);
    if (!ok)
        return ReadFailure(folder + name, why);
    head.length = got;
    head.size = static_cast<std::uint64_t>(st.st_size);
    return head;
}

bool IsHidden(const char* name) { return name[0] == '.'; }

// A pipe is opened without waiting for a writer, then refused unread.
constexpr int kOpenForHead = O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

} // namespace

Result<FileHead> ReadFileHead(const std::string& path)
{
    if (HasNul(path))
        return ReadFailure(path, BadName());
    const int fd = ::open(path.c_str(), kOpenForHead);
    if (fd < 0)
        return ReadFailure(path, LastError());
    return HeadOfOpenFile(fd, {}, path);
}

FolderReader::FolderReader(const std::string& folder)
    : folder_(folder), fd_(HasNul(folder) ? -1 : ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
}

FolderReader::~FolderReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool FolderReader::IsOpen() const { return fd_ >= 0; }

std::uint64_t FolderReader::ListingSize() const
{
    struct stat st {};
    return fd_ >= 0 && ::fstat(fd_, &st) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

std::vector<FolderReader::Entry> FolderReader::Files(bool withHidden) const
{
    std::vector<Entry> files;
    // The listing gets a descriptor of its own: closedir closes it, ours stays for reading.
    const int listFd = fd_ < 0 ? -1 : ::dup(fd_);
    DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (dir == nullptr) {
        if (listFd >= 0)
            ::close(listFd);
        return files;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (!withHidden && IsHidden(entry->d_name))
            continue;
        bool regular = entry->d_type == DT_REG;
        // Only entries the listing cannot type (and links) cost a stat.
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat st {};
            regular = ::fstatat(fd_, entry->d_name, &st, 0) == 0 && S_ISREG(st.st_mode);
        }
        if (regular)
            files.push_back({entry->d_name, static_cast<std::uint64_t>(entry->d_ino)});
    }
    ::closedir(dir);
    return files;
}

Result<FileHead> FolderReader::ReadHead(const std::string& name) const
{
    if (HasNul(name))
        return ReadFailure(folder_ + name, BadName());
    const int fd = ::openat(fd_, name.c_str(), kOpenForHead);
    if (fd < 0)
        return ReadFailure(folder_ + name, LastError());
    return HeadOfOpenFile(fd, folder_, name);
}

std::uint64_t FolderReader::SizeOf(const std::string& name) const
{
    struct stat st {};
    return ::fstatat(fd_, name.c_str(), &st, 0) == 0 ? static_cast<std::uint64_t>(st.st_size) : 0;
}

#endif

} // namespace mapwren
