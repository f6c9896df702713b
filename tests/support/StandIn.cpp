#include "support/StandIn.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "common/Paths.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace mapwren::testing {

namespace fs = std::filesystem;

void CopyStandIn(const fs::path& folder, const std::string& name)
{
#ifndef _WIN32
    StandInSystemPrograms();
#endif
    // The stand-in is built beside the test program.
    fs::copy_file(PathFromUtf8(ProgramFolder()) / (kPathSeparator == '\\' ? "mapwren_standin.exe" : "mapwren_standin"),
                  folder / PathFromUtf8(name));
}

std::vector<std::string> ReceivedArguments(const fs::path& folder)
{
    const fs::path file = folder / "sendmap-args.txt";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    const auto retry = [&](auto done) {
        while (!done() && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    };
    // On Windows the record can be seen a moment before it can be opened:
    // the stand-in still holds it while renaming it into place.
    std::ifstream in;
    retry([&] { return in.open(file, std::ios::binary), in.is_open(); });
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    in.close();
    // Removed for sure, so that the next start is never answered by this record.
    retry([&] { std::error_code ec; return fs::remove(file, ec) || !ec; });
    return lines;
}

#ifndef _WIN32

namespace {

void WriteScript(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
    fs::permissions(file, fs::perms::owner_all);
}

std::string MakeSystemPrograms()
{
    const fs::path folder = fs::temp_directory_path() / ("mapwren-system-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    WriteScript(folder / "x-terminal-emulator",
                "#!/bin/sh\nwhile [ $# -gt 0 ] && [ \"$1\" != -e ]; do shift; done\nshift\n"
                "exec \"$@\" </dev/null >/dev/null 2>&1\n");
    WriteScript(folder / "wine", "#!/bin/sh\nfolder=$(dirname \"$1\")\nshift\nexec \"$folder/.standin\" \"$@\"\n");
    const char* path = std::getenv("PATH");
    ::setenv("PATH", (folder.string() + ":" + (path ? path : "/usr/bin:/bin")).c_str(), 1);
    return folder.string();
}

} // namespace

std::string StandInSystemPrograms()
{
    static const struct Folder {
        std::string path = MakeSystemPrograms();
        ~Folder() { std::error_code ec; fs::remove_all(path, ec); }
    } folder;
    return folder.path;
}

#endif

} // namespace mapwren::testing
