#include "support/StandIn.h"

#include <chrono>
#include <fstream>
#include <thread>

#include "common/Paths.h"

namespace mapwren::testing {

namespace fs = std::filesystem;

void CopyStandIn(const fs::path& folder, const std::string& name)
{
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

} // namespace mapwren::testing
