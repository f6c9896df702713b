// Short (8.3) paths and file tests as Windows gives them: the upload tool
// receives map paths unquoted and separated by blanks, so a short path must
// hold no blank and still name the same file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/Paths.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// Every part after the drive fits 8.3: up to eight characters, then
// optionally a dot and up to three.
bool IsEightDotThree(const std::string& path)
{
    const fs::path p = PathFromUtf8(path);
    for (const fs::path& part : p.relative_path()) {
        const std::string name = Utf8FromPath(part);
        const auto dot = name.find('.');
        const std::string stem = name.substr(0, dot);
        const std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
        if (stem.empty() || stem.size() > 8 || ext.size() > 3 || ext.find('.') != std::string::npos)
            return false;
    }
    return true;
}

TEST(ShortNameWindows, FolderAndFileWithBlanksGetAShortPathNamingTheSameFile)
{
    TempDir dir;
    const fs::path folder = dir.path() / "My Alpine Maps";
    fs::create_directory(folder);
    const fs::path file = folder / "Big Alps West.img";
    WriteBytes(file, "map bytes");

    const std::string shortPath = GetShortFileName(Utf8FromPath(file));

    ASSERT_FALSE(shortPath.empty());
    EXPECT_EQ(shortPath.find(' '), std::string::npos) << shortPath;
    EXPECT_TRUE(IsEightDotThree(shortPath)) << shortPath;
    EXPECT_EQ(ReadBytes(PathFromUtf8(shortPath)), "map bytes") << shortPath;
    EXPECT_TRUE(FileExist(shortPath)) << shortPath;
}

TEST(ShortNameWindows, MissingFileGivesEmptyText)
{
    TempDir dir;
    const std::string cases[] = {
        dir.folder() + "nope.img",
        dir.folder() + "no folder\\nope.img",
        "",
    };
    for (const auto& path : cases)
        EXPECT_EQ(GetShortFileName(path), "") << path;
}

TEST(ShortNameWindows, FileExistAnswersWithoutFailing)
{
    TempDir dir;
    WriteBytes(dir.path() / "empty.img", "");
    WriteBytes(dir.path() / PathFromUtf8("Z\xC3\xBCrich Maps.img"), "x");

    struct Case { std::string path; bool exists; };
    const Case cases[] = {
        {dir.folder() + "empty.img", true},
        {dir.folder() + "EMPTY.IMG", true},                  // file names compare without regard to case
        {dir.folder() + "Z\xC3\xBCrich Maps.img", true},
        {dir.folder() + "missing.img", false},
        {dir.folder() + "<>|.img", false},                   // malformed path
        {dir.folder() + "a\"b.img", false},
        {dir.folder() + "no folder\\empty.img", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileExist(c.path), c.exists) << c.path;
}

} // namespace
} // namespace mapwren
