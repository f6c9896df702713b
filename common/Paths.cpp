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

// Through the Win32 conversion, which never throws on a malformed text.
fs::path PathFromUtf8(const std::string& text) { return fs::path(WideFromUtf8(text)); }
std::string Utf8FromPath(const fs::path& path) { return Utf8FromWide(path.native()); }

#else

fs::path PathFromUtf8(const std::string& text) { return fs::path(text); }
std::string Utf8FromPath(const fs::path& path) { return path.native(); }

#endif

bool FileExist(const std::string& sFile)
{
    if (Malformed(sFile))
        return false;
    std::error_code ec;
    const auto status = fs::status(PathFromUtf8(sFile), ec);
    return !ec && fs::is_regular_file(status);
}

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

std::string GetShortFileName(const std::string& LongFileName)
{
    if (Malformed(LongFileName))
        return {};
    const std::wstring wide = WideFromUtf8(LongFileName);
    const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0)
        return {};
    std::wstring shortName(needed, L'\0');
    const DWORD n = GetShortPathNameW(wide.c_str(), shortName.data(), needed);
    if (n == 0 || n >= needed)
        return {};
    shortName.resize(n);
    return Utf8FromWide(shortName);
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
