#include "common/AtomicWrite.h"

#include <algorithm>
#include <filesystem>

#include "common/Paths.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace mapwren {

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
using FileHandle = HANDLE;
std::error_code LastError() { return {static_cast<int>(GetLastError()), std::system_category()}; }
#else
using FileHandle = int;
std::error_code LastError() { return {errno, std::generic_category()}; }
#endif

// Creates the file only when no file or folder of that name exists yet
// (then std::errc::file_exists), so no file of the user's is ever overwritten.
std::error_code CreateNewFile(const fs::path& path, FileHandle& file)
{
#ifdef _WIN32
    file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        return {};
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
        return std::make_error_code(std::errc::file_exists);
    return {static_cast<int>(error), std::system_category()};
#else
    file = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    return file >= 0 ? std::error_code{} : LastError();
#endif
}

std::error_code WriteAll(FileHandle file, std::string_view bytes)
{
    while (!bytes.empty()) {
#ifdef _WIN32
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr))
            return LastError();
#else
        const ssize_t written = write(file, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return LastError();
#endif
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

// Flushes the file to the disk and closes it; closes it also when the flush fails.
std::error_code FlushAndClose(FileHandle file)
{
#ifdef _WIN32
    std::error_code ec = FlushFileBuffers(file) ? std::error_code{} : LastError();
    if (!CloseHandle(file) && !ec)
        ec = LastError();
#else
    std::error_code ec = fsync(file) == 0 ? std::error_code{} : LastError();
    if (close(file) != 0 && !ec)
        ec = LastError();
#endif
    return ec;
}

std::error_code RenameOver(const fs::path& from, const fs::path& to)
{
#ifdef _WIN32
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
#else
    if (rename(from.c_str(), to.c_str()) == 0)
        return {};
#endif
    return LastError();
}

// A free name in the target's folder, short so that a long target name
// still leaves room for it.
std::error_code CreateTemporaryBeside(const fs::path& target, fs::path& temporary, FileHandle& file)
{
    std::error_code ec;
    for (int n = 1; n <= 100; ++n) {
        temporary = target.parent_path() / PathFromUtf8(".mapwren-save-" + std::to_string(n) + ".tmp");
        ec = CreateNewFile(temporary, file);
        if (ec != std::errc::file_exists)
            return ec;
    }
    return ec;
}

std::error_code WriteTemporary(const fs::path& target, const fs::path& temporary, FileHandle file,
                               std::string_view bytes)
{
    std::error_code ec = WriteAll(file, bytes);
    const std::error_code closed = FlushAndClose(file);
    if (ec || closed)
        return ec ? ec : closed;
    // A replaced file keeps its permissions.
    std::error_code ignored;
    const fs::file_status old = fs::status(target, ignored);
    if (fs::is_regular_file(old))
        fs::permissions(temporary, old.permissions(), ignored);
    return {};
}

} // namespace

std::error_code WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    fs::path target = PathFromUtf8(path);
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        const fs::path real = fs::canonical(target, ec);
        if (!ec)
            target = real;
    }

    fs::path temporary;
    FileHandle file{};
    ec = CreateTemporaryBeside(target, temporary, file);
    if (ec)
        return ec;
    ec = WriteTemporary(target, temporary, file, bytes);
    if (!ec)
        ec = RenameOver(temporary, target);
    if (ec) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
    }
    return ec;
}

} // namespace mapwren
