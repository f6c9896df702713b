#include "common/Paths.h"

#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mapwren {

namespace fs = std::filesystem;

fs::path PathFromUtf8(const std::string& text)
{
    return fs::path(std::u8string(text.begin(), text.end()));
}

std::string Utf8FromPath(const fs::path& path)
{
    const std::u8string u8 = path.u8string();
    return std::string(u8.begin(), u8.end());
}

bool FileExist(const std::string& sFile)
{
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
            return Utf8FromPath(fs::path(std::wstring(buffer.data(), n)).parent_path());
        buffer.resize(buffer.size() * 2);
    }
}

std::string GetShortFileName(const std::string& LongFileName)
{
    const std::wstring wide = PathFromUtf8(LongFileName).wstring();
    const DWORD needed = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (needed == 0)
        return {};
    std::wstring shortName(needed, L'\0');
    const DWORD n = GetShortPathNameW(wide.c_str(), shortName.data(), needed);
    if (n == 0 || n >= needed)
        return {};
    shortName.resize(n);
    return Utf8FromPath(fs::path(shortName));
}

#else

std::string ProgramFolder()
{
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? Utf8FromPath(fs::current_path()) : Utf8FromPath(self.parent_path());
}

// No short names here: the absolute path of an existing file serves, and the
// command line quotes it when it holds a blank. One stat, no walk of the path,
// keeps Select All fast on long lists.
std::string GetShortFileName(const std::string& LongFileName)
{
    struct stat st {};
    if (LongFileName.empty() || ::stat(LongFileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    if (LongFileName.front() == '/')
        return LongFileName;
    std::error_code ec;
    const fs::path absolute = fs::absolute(PathFromUtf8(LongFileName), ec);
    return ec ? std::string() : Utf8FromPath(absolute);
}

#endif

} // namespace mapwren
