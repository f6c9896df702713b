#include "maplist/FileHead.h"

#include <algorithm>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

#include "common/Encoding.h"
#include "common/Paths.h"
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#ifdef MAPWREN_IO_URING
#include <liburing.h>

#include <bitset>
#include <chrono>
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

// The "\\?\" form of a full folder path, which the system takes as it is:
// a name listed in it opens that very file, never a device such as CON.
std::wstring ListedPath(const std::wstring& folder)
{
    std::wstring full(32768, L'\0');
    const DWORD n = GetFullPathNameW(folder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    const std::wstring_view path(full.data(), n > 0 && n < full.size() ? n : 0);
    if (path.empty() || path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\"))
        return folder;
    return path.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + std::wstring(path.substr(2)) : L"\\\\?\\" + std::wstring(path);
}

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

FolderReader::FolderReader(const std::string& folder) : folder_(folder), listedFolder_(ListedPath(Wide(folder))) {}

FolderReader::~FolderReader() = default;

bool FolderReader::IsOpen() const { return true; }

std::uint64_t FolderReader::ListingSize() const { return 0; }

namespace {

// Large fetches spare round trips to a share; a server that refuses them is
// listed the plain way.
HANDLE FindFirst(const std::wstring& pattern, bool withShortNames, WIN32_FIND_DATAW& entry)
{
    // The basic listing leaves out the short names.
    const FINDEX_INFO_LEVELS level = withShortNames ? FindExInfoStandard : FindExInfoBasic;
    HANDLE find = FindFirstFileExW(pattern.c_str(), level, &entry, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
        find = FindFirstFileExW(pattern.c_str(), level, &entry, FindExSearchNameMatch, nullptr, 0);
    return find;
}

} // namespace

std::vector<FolderReader::Entry> FolderReader::Files(bool withHidden, bool withShortNames) const
{
    std::vector<Entry> files;
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirst(listedFolder_ + L"*", withShortNames, entry);
    listingError_ = find == INVALID_HANDLE_VALUE ? LastError() : std::error_code();
    if (find == INVALID_HANDLE_VALUE)
        return files;
    const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | (withHidden ? 0 : FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    do {
        if ((entry.dwFileAttributes & skipped) == 0)
            files.push_back({Utf8FromWide(entry.cFileName), files.size(),
                             withShortNames ? Utf8FromWide(entry.cAlternateFileName) : std::string(),
                             (std::uint64_t{entry.nFileSizeHigh} << 32) | entry.nFileSizeLow});
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return files;
}

Result<FileHead> FolderReader::ReadHead(const std::string& name) const
{
    return ReadFileHead(folder_ + name);
}

namespace {

// A listed file costs one open, one read and one close: its size is known, and
// its name in the folder's "\\?\" form can name no device.
Result<FileHead> ReadListedHead(const HeadRequest& file, const std::wstring& folder)
{
    const std::string path = file.folder->Folder() + *file.name;
    if (HasNul(*file.name))
        return ReadFailure(path, BadName());
    const HANDLE handle = CreateFileW((folder + WideFromUtf8(*file.name)).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return ReadFailure(path, LastError());
    FileHead head;
    DWORD got = 0;
    const bool ok = ReadFile(handle, head.buffer.data(), static_cast<DWORD>(head.buffer.size()), &got, nullptr);
    const std::error_code why = ok ? std::error_code() : LastError();
    CloseHandle(handle);
    if (!ok)
        return ReadFailure(path, why);
    head.length = got;
    head.size = file.listedSize;
    return head;
}

} // namespace

std::optional<std::uint64_t> FolderReader::SizeOf(const std::string& name) const
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(folder_ + name).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
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
    if (fd_ < 0)
        openError_ = HasNul(folder) ? BadName() : LastError();
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

std::vector<FolderReader::Entry> FolderReader::Files(bool withHidden, bool) const
{
    std::vector<Entry> files;
    // The listing gets a descriptor of its own: closedir closes it, ours stays for reading.
    const int listFd = fd_ < 0 ? -1 : ::dup(fd_);
    DIR* dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    listingError_ = dir == nullptr ? (fd_ < 0 ? openError_ : LastError()) : std::error_code();
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
            files.push_back({entry->d_name, static_cast<std::uint64_t>(entry->d_ino), {}, kUnknownSize});
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

std::optional<std::uint64_t> FolderReader::SizeOf(const std::string& name) const
{
    struct stat st {};
    if (::fstatat(fd_, name.c_str(), &st, 0) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(st.st_size);
}

#endif

namespace {

Result<FileHead> ReadAlone(const HeadRequest& file)
{
#ifdef _WIN32
    if (file.folder && file.listedSize != kUnknownSize)
        return ReadListedHead(file, file.folder->ListedFolder());
#endif
    return file.folder ? file.folder->ReadHead(*file.name) : ReadFileHead(*file.name);
}

#ifdef MAPWREN_IO_URING

// The calling thread's ring for reading heads in batches. Where the system
// refuses rings (an old kernel, a sandbox), it reads nothing and every file
// is read alone.
class HeadRing {
public:
    static constexpr unsigned kFiles = 64;
    using Done = std::bitset<kFiles>;

    HeadRing()
    {
        io_uring_params params{};
        params.flags = IORING_SETUP_SUBMIT_ALL | IORING_SETUP_COOP_TASKRUN | IORING_SETUP_SINGLE_ISSUER;
        if (io_uring_queue_init_params(kFiles * 2, &ring_, &params) != 0)
            return;
        ok_ = io_uring_register_files_sparse(&ring_, kFiles) == 0 && Offers({IORING_OP_STATX, IORING_OP_OPENAT, IORING_OP_READ});
        if (!ok_)
            io_uring_queue_exit(&ring_);
    }
    ~HeadRing()
    {
        if (ok_)
            io_uring_queue_exit(&ring_);
    }
    HeadRing(const HeadRing&) = delete;
    HeadRing& operator=(const HeadRing&) = delete;

    const FileHead& Head(std::size_t k) const { return heads_[k]; }

    // Reads up to kFiles heads, each named relative to its folder's
    // descriptor, in two round trips to the system, and tells which were
    // read; the others are to be read alone, which tells why not.
    Done Read(std::span<const HeadRequest> files, std::span<const int> dirs)
    {
        Done read;
        if (!ok_)
            return read;
        // First each file's kind and size: only ordinary files are opened
        // and read, so no pipe or device is.
        Done regular;
        unsigned asked = 0;
        for (std::size_t k = 0; k < files.size(); ++k) {
            if (HasNul(*files[k].name))
                continue;
            io_uring_sqe* sqe = io_uring_get_sqe(&ring_);
            io_uring_prep_statx(sqe, dirs[k], files[k].name->c_str(), 0, STATX_TYPE | STATX_SIZE, &stats_[k]);
            io_uring_sqe_set_data64(sqe, k);
            ++asked;
        }
        const bool answered = Complete(asked, [&](std::uint64_t k, int result) {
            regular[k] = result == 0 && (stats_[k].stx_mask & (STATX_TYPE | STATX_SIZE)) == (STATX_TYPE | STATX_SIZE) &&
                         S_ISREG(stats_[k].stx_mode);
        });
        if (!answered)
            return read;
        // Then each ordinary file is opened into slot k of the ring's own
        // table and read; a failed open cancels its read.
        asked = 0;
        for (std::size_t k = 0; k < files.size(); ++k) {
            if (!regular[k])
                continue;
            io_uring_sqe* open = io_uring_get_sqe(&ring_);
            io_uring_prep_openat_direct(open, dirs[k], files[k].name->c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY, 0,
                                        static_cast<unsigned>(k));
            io_uring_sqe_set_flags(open, IOSQE_IO_LINK);
            io_uring_sqe_set_data64(open, kOpenTag | k);
            io_uring_sqe* readHead = io_uring_get_sqe(&ring_);
            io_uring_prep_read(readHead, static_cast<int>(k), heads_[k].buffer.data(), kHeaderLength, 0);
            io_uring_sqe_set_flags(readHead, IOSQE_FIXED_FILE);
            io_uring_sqe_set_data64(readHead, k);
            asked += 2;
        }
        const bool readAll = Complete(asked, [&](std::uint64_t tag, int result) {
            if (tag & kOpenTag)
                return;
            const std::uint64_t size = stats_[tag].stx_size;
            // A short read (a file growing or shrinking meanwhile) is read again alone.
            if (result >= 0 && static_cast<std::uint64_t>(result) == std::min<std::uint64_t>(kHeaderLength, size)) {
                heads_[tag].length = static_cast<std::size_t>(result);
                heads_[tag].size = size;
                read[tag] = true;
            }
        });
        if (!readAll)
            return {};
        // Emptying the table closes every file the batch opened.
        std::array<int, kFiles> empty;
        empty.fill(-1);
        if (regular.any() && io_uring_register_files_update(&ring_, 0, empty.data(), kFiles) < 0)
            Retire();
        return read;
    }

private:
    static constexpr std::uint64_t kOpenTag = 1u << 16;
    static constexpr std::uint64_t kCancelTag = 1u << 17;

    bool Offers(std::initializer_list<int> ops)
    {
        io_uring_probe* probe = io_uring_get_probe_ring(&ring_);
        const bool all = probe && std::all_of(ops.begin(), ops.end(), [&](int op) { return io_uring_opcode_supported(probe, op); });
        io_uring_free_probe(probe);
        return all;
    }

    using Clock = std::chrono::steady_clock;
    // How long the answers may take, however often a signal interrupts the
    // wait: a thread signalled without end still ends its batch.
    static constexpr auto kPatience = std::chrono::seconds(1);

    // Submits what was asked and hands each answer to done. When no answer
    // comes for a second (a pipe put in a file's place, a slow drive), the
    // rest is cancelled and those files are read alone; the buffers are not
    // left while the system may still write to them, unless the
    // cancellations too take longer than a second: then the ring is given
    // up, and closing it cancels what is left. False when the ring has
    // failed.
    template <class OnAnswer>
    bool Complete(unsigned expected, OnAnswer&& done)
    {
        if (expected == 0)
            return true;
        Clock::time_point deadline = Clock::now() + kPatience;
        if (!Submit(deadline))
            return false;
        bool cancelled = false;
        while (expected > 0) {
            io_uring_cqe* cqe = nullptr;
            const int got = WaitUntil(deadline, &cqe);
            if (got < 0 && cancelled) {   // the ring itself has failed, or is stuck: nothing more will come
                Retire();
                return false;
            }
            if (got < 0) {
                io_uring_sqe* cancel = io_uring_get_sqe(&ring_);
                io_uring_prep_cancel64(cancel, 0, IORING_ASYNC_CANCEL_ANY);
                io_uring_sqe_set_data64(cancel, kCancelTag);
                deadline = Clock::now() + kPatience;
                if (!Submit(deadline))
                    return false;
                cancelled = true;
                ++expected;
                continue;
            }
            unsigned head = 0, seen = 0;
            io_uring_for_each_cqe(&ring_, head, cqe)
            {
                if (io_uring_cqe_get_data64(cqe) != kCancelTag)
                    done(io_uring_cqe_get_data64(cqe), cqe->res);
                ++seen;
            }
            io_uring_cq_advance(&ring_, seen);
            expected -= std::min(expected, seen);
        }
        return true;
    }

    // Waits for an answer until the deadline, waiting again for what is
    // left of it when a signal interrupts; -ETIME once it has passed.
    int WaitUntil(Clock::time_point deadline, io_uring_cqe** cqe)
    {
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                return io_uring_peek_cqe(&ring_, cqe) == 0 ? 0 : -ETIME;
            __kernel_timespec wait{left / 1'000'000'000, left % 1'000'000'000};
            const int got = io_uring_wait_cqe_timeout(&ring_, cqe, &wait);
            if (got != -EINTR)
                return got;
        }
    }

    // Hands every request asked to the system, trying again when a signal
    // interrupts until the deadline; a ring that takes not all of them is
    // given up, which cancels the rest.
    bool Submit(Clock::time_point deadline)
    {
        int submitted = 0;
        while ((submitted = io_uring_submit(&ring_)) == -EINTR && Clock::now() < deadline) {
        }
        if (submitted >= 0 && io_uring_sq_ready(&ring_) == 0)
            return true;
        Retire();
        return false;
    }

    // Gives the ring up for good; the thread's files are read alone from now on.
    void Retire()
    {
        io_uring_queue_exit(&ring_);
        ok_ = false;
    }

    io_uring ring_{};
    bool ok_ = false;
    std::array<struct statx, kFiles> stats_{};
    std::array<FileHead, kFiles> heads_{};
};

#endif

} // namespace

std::vector<Result<FileHead>> ReadFileHeads(std::span<const HeadRequest> files)
{
    std::vector<Result<FileHead>> heads;
    heads.reserve(files.size());
#ifdef MAPWREN_IO_URING
    thread_local HeadRing ring;
    std::array<int, HeadRing::kFiles> dirs;
    for (std::size_t first = 0; first < files.size(); first += HeadRing::kFiles) {
        const auto part = files.subspan(first, std::min<std::size_t>(HeadRing::kFiles, files.size() - first));
        for (std::size_t k = 0; k < part.size(); ++k)
            dirs[k] = part[k].folder ? part[k].folder->fd_ : AT_FDCWD;
        const HeadRing::Done read = ring.Read(part, dirs);
        for (std::size_t k = 0; k < part.size(); ++k)
            heads.push_back(read[k] ? Result<FileHead>(ring.Head(k)) : ReadAlone(part[k]));
    }
#else
    for (const HeadRequest& file : files)
        heads.push_back(ReadAlone(file));
#endif
    return heads;
}

} // namespace mapwren
