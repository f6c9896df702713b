#include "support/Fixtures.h"

#include <atomic>
#include <fstream>
#include <random>
#include <stdexcept>
#include <utility>

#include "common/Paths.h"

namespace mapwren::testing {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
    do
        path_ = fs::temp_directory_path() /
                ("mapwren-test-" + std::to_string(std::random_device()()) + "-" + std::to_string(counter++));
    while (!fs::create_directory(path_));
}

// Removes what can be removed, folders made writable first, and leaves the rest. Not fs::remove_all: with MinGW it
// spins for ever on a file another process still holds open (the command interpreter running a batch file the test wrote).
static void RemoveTree(const fs::path& path)
{
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(path, ec))) {
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
        std::vector<fs::path> entries;
        for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
            entries.push_back(it->path());
        for (const fs::path& entry : entries)
            RemoveTree(entry);
    }
    fs::remove(path, ec);
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string TempDir::folder() const { return Utf8FromPath(path_) + kPathSeparator; }

void WriteImg(const fs::path& file, const std::string& firstPart, const std::string& secondPart,
              std::uint8_t xorByte, std::uintmax_t size)
{
    std::string bytes(73, '\0');
    bytes[0] = static_cast<char>(xorByte);
    for (const auto& [at, mark] : {std::pair<std::size_t, std::string>{0x10, "DSKIMG"}, {0x41, "GARMIN"}})
        for (std::size_t i = 0; i < mark.size(); ++i)
            bytes[at + i] = static_cast<char>(mark[i] ^ xorByte);
    bytes += (firstPart + std::string(20, ' ')).substr(0, 20) + std::string(8, '\0') +
             (secondPart + std::string(30, ' ')).substr(0, 30);
    for (std::size_t i = 73; i < bytes.size(); ++i)
        if (i < 93 || i >= 101)
            bytes[i] = static_cast<char>(bytes[i] ^ xorByte);
    WriteBytes(file, bytes);
    if (size > bytes.size())
        fs::resize_file(file, size);   // sparse: a test may have maps of gigabytes
}

void WriteBytes(const fs::path& file, const std::string& bytes)
{
    if (!(std::ofstream(file, std::ios::binary) << bytes))
        throw std::runtime_error("cannot write " + file.string());
}

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace mapwren::testing
