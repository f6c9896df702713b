#include "common/Paths.h"

#include <system_error>
#include <vector>

#include "common/Encoding.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mapwren {

namespace fs = std::filesystem;

namespace {

// A name with a NUL inside would reach the system cut short, naming another file.
bool Malformed(const std::string& path) { return path.empty() || path.find('\0') != std::string::npos; }

// The program's folder never ends with a separator, also when it is a root.
std::string WithoutTrailingSeparator(std::string folder)
{
    while (!folder.empty() && (folder.back() == '/' || folder.back() == kPathSeparator))
        folder.pop_back();
    return folder;
}

} // namespace

#ifdef _WIN32

namespace {

// Plain paths reach MAX_PATH characters at most; those a little shorter are
// written out long too, leaving room for a name the program adds to a folder
// (a temporary file beside a list, a listing's pattern).
constexpr std::size_t kPlainPathLimit = MAX_PATH - 40;

bool IsExtended(std::wstring_view path) { return path.starts_with(L"\\\\?\\") || path.starts_with(L"\\\\.\\"); }

// The full path as the system reads a relative one (".." and "/" resolved);
// the path itself when the system cannot tell.
std::wstring FullWidePath(const std::wstring& path)
{
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(needed, L'\0');
    const DWORD n = needed == 0 ? 0 : GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (n == 0 || n >= needed)
        return path;
    full.resize(n);
    return full;
}

// "\\?\C:\..." and "\\?\UNC\server\share\..." reach past MAX_PATH.
std::wstring ExtendedPath(const std::wstring& path)
{
    if (path.size() < kPlainPathLimit || IsExtended(path))
        return path;
    const std::wstring full = FullWidePath(path);
    if (IsExtended(full))
        return full;
    if (full.starts_with(L"\\\\"))
        return L"\\\\?\\UNC\\" + full.substr(2);
    return full.size() > 2 && full[1] == L':' ? L"\\\\?\\" + full : full;
}

// The plain form of a path the system gave in its "\\?\" form, where it
// fits in MAX_PATH: the upload tool reads plain paths most surely.
std::wstring PlainWhereItFits(const std::wstring& path)
{
    if (path.starts_with(L"\\\\?\\UNC\\") && path.size() - 6 < MAX_PATH)
        return L"\\" + path.substr(7);
    if (path.starts_with(L"\\\\?\\") && !path.starts_with(L"\\\\?\\UNC\\") && path.size() - 4 < MAX_PATH)
        return path.substr(4);
    return path;
}

DWORD AttributesOf(const std::string& path)
{
    return Malformed(path) ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(PathFromUtf8(path).c_str());
}

} // namespace

// Through the Win32 conversion, which never throws on a malformed text.
fs::path PathFromUtf8(const std::string& text) { return fs::path(ExtendedPath(WideFromUtf8(text))); }
std::string Utf8FromPath(const fs::path& path) { return Utf8FromWide(path.native()); }

// The attributes, not the C runtime's stat, which refuses the "\\?\" form.
bool FileExist(const std::string& sFile)
{
    const DWORD attributes = AttributesOf(sFile);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool FolderExist(const std::string& path)
{
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

#else

fs::path PathFromUtf8(const std::string& text) { return fs::path(text); }
std::string Utf8FromPath(const fs::path& path) { return path.native(); }

bool FileExist(const std::string& sFile)
{
    if (Malformed(sFile))
        return false;
    std::error_code ec;
    const auto status = fs::status(PathFromUtf8(sFile), ec);
    return !ec && fs::is_regular_file(status);
}

bool FolderExist(const std::string& path)
{
    std::error_code ec;
    return !Malformed(path) && fs::is_directory(PathFromUtf8(path), ec);
}

#endif


#ifdef _WIN32

std::string ProgramFolder()
{
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n < buffer.size())
            return WithoutTrailingSeparator(Utf8FromPath(fs::path(std::wstring(buffer.data(), n)).parent_path()));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ShortPathOf(const std::string& path)
{
    if (Malformed(path))
        return {};
    const std::wstring wide = PathFromUtf8(path).native();
    const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0)
        return {};
    std::wstring shortName(needed, L'\0');
    const DWORD n = GetShortPathNameW(wide.c_str(), shortName.data(), needed);
    if (n == 0 || n >= needed)
        return {};
    shortName.resize(n);
    return Utf8FromWide(PlainWhereItFits(shortName));
}

// A share or a drive may give no short form; the file is there all the same.
std::string GetShortFileName(const std::string& LongFileName)
{
    std::string shortName = ShortPathOf(LongFileName);
    if (!shortName.empty() || !FileExist(LongFileName))
        return shortName;
    return Utf8FromWide(PlainWhereItFits(ExtendedPath(FullWidePath(WideFromUtf8(LongFileName)))));
}

#else

std::string ProgramFolder()
{
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return WithoutTrailingSeparator(Utf8FromPath(fs::current_path(ec)));
    return WithoutTrailingSeparator(Utf8FromPath(self.parent_path()));
}

// No short names here: the absolute path of an existing file serves, and the
// command line quotes it when it holds a blank. One stat, no walk of the path,
// keeps Select All fast on long lists.
std::string GetShortFileName(const std::string& LongFileName)
{
    struct stat st {};
    if (Malformed(LongFileName) || ::stat(LongFileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    if (LongFileName.front() == '/')
        return LongFileName;
    std::error_code ec;
    const fs::path absolute = fs::absolute(PathFromUtf8(LongFileName), ec);
    return ec ? std::string() : Utf8FromPath(absolute);
}

#endif

} // namespace mapwren
