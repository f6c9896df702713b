#include "support/StandIn.h"

#include <chrono>
#include <thread>

#include "common/Paths.h"
#include "support/Fixtures.h"

namespace mapwren::testing {

namespace fs = std::filesystem;

void CopyStandIn(const fs::path& folder, const std::string& name)
{
    // The stand-in is built beside the test program.
#ifdef _WIN32
    const char* built = "mapwren_standin.exe";
#else
    const char* built = "mapwren_standin";
#endif
    fs::copy_file(PathFromUtf8(ProgramFolder()) / built, folder / PathFromUtf8(name));
}

std::vector<std::string> ReceivedArguments(const fs::path& folder)
{
    const fs::path file = folder / "sendmap-args.txt";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!fs::exists(file) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const std::string text = ReadBytes(file);
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    std::error_code ignored;
    fs::remove(file, ignored);
    return lines;
}

} // namespace mapwren::testing
