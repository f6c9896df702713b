#include "support/Fixtures.h"

#include <atomic>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <vector>

#include "common/Paths.h"

namespace mapwren::testing {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    for (;;) {
        path_ = fs::temp_directory_path() /
                ("mapwren-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
        if (fs::create_directory(path_))
            break;
    }
}

namespace {

// Removes what can be removed and leaves the rest. Not fs::remove_all: with
// MinGW it spins for ever on a file another process still holds open (the
// command interpreter running a batch file the test wrote).
void RemoveTree(const fs::path& path)
{
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(path, ec))) {
        std::vector<fs::path> entries;
        for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
            entries.push_back(it->path());
        for (const fs::path& entry : entries)
            RemoveTree(entry);
    }
    fs::remove(path, ec);
}

} // namespace

TempDir::~TempDir()
{
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    RemoveTree(path_);
}

std::string TempDir::folder() const { return Utf8FromPath(path_) + kPathSeparator; }

void WriteImg(const fs::path& file, const std::string& firstPart, const std::string& secondPart,
              std::uint8_t xorByte, std::uintmax_t size)
{
    std::string bytes(131, '\0');
    bytes[0] = static_cast<char>(xorByte);
    const std::string first = (firstPart + std::string(20, ' ')).substr(0, 20);
    const std::string second = (secondPart + std::string(30, ' ')).substr(0, 30);
    for (std::size_t i = 0; i < 20; ++i)
        bytes[73 + i] = static_cast<char>(static_cast<std::uint8_t>(first[i]) ^ xorByte);
    for (std::size_t i = 0; i < 30; ++i)
        bytes[101 + i] = static_cast<char>(static_cast<std::uint8_t>(second[i]) ^ xorByte);
    WriteBytes(file, bytes);
    // The rest is zeros; a sparse file lets a test have maps of gigabytes.
    if (size > bytes.size())
        fs::resize_file(file, size);
}

void WriteBytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace mapwren::testing
