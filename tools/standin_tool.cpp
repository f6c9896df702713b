// Stand-in for the upload tool. It does nothing with a receiver: it writes
// the arguments it received, one per line, to "sendmap-args.txt" beside
// itself, through a temporary file renamed into place, so that a reader sees
// either no file or the whole list. Like the real tool it prints its progress
// as a percentage redrawn in place and ends with a line saying how it went,
// never waits for a key and ends with status 0 even when it failed; with
// "-l" it writes GMAPSUPP.IMG into its current folder. The arguments it can
// open and read as files go to "sendmap-read.txt", written before the record.
//
// On Windows the command line itself, as the system handed it over, goes to
// "sendmap-line.txt", written before the record.
//
// A file "sendmap-behaviour.txt" beside it changes what it does, by words:
// "fail" (no receiver answers: nothing is sent or created), "hold" (waits,
// up to a minute, until a file "sendmap-release" appears beside it).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

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
#else
static std::string Utf8(const char* text) { return text; }
#endif

#ifdef _WIN32
static fs::path PathOf(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }
#else
static fs::path PathOf(const std::string& text) { return text; }
#endif

static bool Record(const fs::path& folder, const std::vector<std::string>& args)
{
    {
        std::ofstream read(folder / "sendmap-read.txt", std::ios::binary | std::ios::trunc);
        for (const std::string& arg : args) {
            std::error_code ec;   // a port's device is never opened: a read could wait for ever
            std::ifstream file;
            if (fs::is_regular_file(PathOf(arg), ec))
                file.open(PathOf(arg), std::ios::binary);
            if (file.is_open() && file.get() != std::char_traits<char>::eof())
                read << arg << '\n';
        }
    }
    const fs::path target = folder / "sendmap-args.txt";
    const fs::path temp = folder / "sendmap-args.txt.tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (const std::string& arg : args)
            out << arg << '\n';
        if (!out)
            return false;
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    return !ec;
}

static std::string Behaviour(const fs::path& folder)
{
    std::ifstream in(folder / "sendmap-behaviour.txt");
    return std::string(std::istreambuf_iterator<char>(in), {});
}

#ifdef _WIN32
// wmain: the arguments exactly as the C runtime split the command line.
int wmain(int argc, wchar_t** argv)
{
    const fs::path folder = OwnFolder(nullptr);
    std::ofstream(folder / "sendmap-line.txt", std::ios::binary | std::ios::trunc) << Utf8(GetCommandLineW());
#else
int main(int argc, char** argv)
{
    const fs::path folder = OwnFolder(argv[0]);
#endif
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(Utf8(argv[i]));
    const std::string behaviour = Behaviour(folder);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (behaviour.find("hold") != std::string::npos && !fs::exists(folder / "sendmap-release") &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const bool creates = std::find(args.begin(), args.end(), "-l") != args.end();
    if (behaviour.find("fail") != std::string::npos) {
        std::cout << "No answer from the GPS receiver on the port. Nothing was sent." << std::endl;
        return Record(folder, args) ? 0 : 1;
    }
    for (int percent = 0; percent <= 100; percent += 25)
        std::cout << "\r" << percent << "%" << std::flush;
    if (creates)
        std::ofstream("GMAPSUPP.IMG", std::ios::binary) << "stand-in GMAPSUPP.IMG\n";
    std::cout << "\n" << (creates ? "GMAPSUPP.IMG created." : "Maps uploaded!") << std::endl;
    return Record(folder, args) ? 0 : 1;
}
