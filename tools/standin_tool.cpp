// Stand-in for the upload tool. It does nothing with a receiver: it writes
// the arguments it received, one per line, to "sendmap-args.txt" beside
// itself, through a temporary file renamed into place, so that a reader sees
// either no file or the whole list.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

static fs::path OwnFolder(const char* argv0)
{
#ifdef _WIN32
    (void)argv0;
    wchar_t buffer[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, static_cast<DWORD>(std::size(buffer)));
    return fs::path(std::wstring(buffer, n)).parent_path();
#else
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        self = fs::absolute(argv0);
    return self.parent_path();
#endif
}

#ifdef _WIN32
// The wide arguments, converted to UTF-8, so any character arrives intact.
static std::string Utf8(const wchar_t* text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    return out;
}
#endif

#ifdef _WIN32
// wmain: the arguments exactly as the C runtime split the command line.
int wmain(int argc, wchar_t** argv)
{
    const fs::path folder = OwnFolder(nullptr);
#else
int main(int argc, char** argv)
{
    const fs::path folder = OwnFolder(argv[0]);
#endif
    const fs::path target = folder / "sendmap-args.txt";
    const fs::path temp = folder / "sendmap-args.txt.tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (int i = 1; i < argc; ++i) {
#ifdef _WIN32
            out << Utf8(argv[i]) << '\n';
#else
            out << argv[i] << '\n';
#endif
        }
        if (!out)
            return 1;
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    return ec ? 1 : 0;
}
