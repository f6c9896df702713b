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
    std::string text;
    // On Windows the record can be seen a moment before it can be opened:
    // the stand-in still holds it while renaming it into place.
    for (std::ifstream in; !in.is_open() && std::chrono::steady_clock::now() < deadline;) {
        in.open(file, std::ios::binary);
        if (in)
            text.assign(std::istreambuf_iterator<char>(in), {});
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    // Removed for sure, so that the next start is never answered by this record.
    for (std::error_code ec; !fs::remove(file, ec) && ec && std::chrono::steady_clock::now() < deadline;)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return lines;
}

} // namespace mapwren::testing
