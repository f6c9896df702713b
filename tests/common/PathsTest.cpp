// Whether a map file exists, and the path handed to the upload tool.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/Paths.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;
using testing::WriteBytes;

TEST(Paths, FileExistOnlyForAnExistingFile)
{
    TempDir dir;
    WriteBytes(dir.path() / "empty.img", "");
    WriteBytes(dir.path() / "a", "x");
    fs::create_directory(dir.path() / "folder.img");
    const std::string base = Utf8FromPath(dir.path()) + kPathSeparator;
    struct Case { std::string path; bool exists; };
    const Case cases[] = {
        {base + "empty.img", true},
        {base + "folder.img", false},
        {base + "missing.img", false},
        {base + "missing" + kPathSeparator + "a.img", false},
        {"", false},
        {base + std::string("a\0b", 3), false},   // would name "a" when cut at the NUL
        {base + "bad\xFF\xFE<>|.img", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FileExist(c.path), c.exists) << c.path;
}

TEST(Paths, ProgramFolderHoldsTheProgramWithoutATrailingSeparator)
{
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), kPathSeparator);
    EXPECT_TRUE(fs::is_directory(PathFromUtf8(folder)));
}

#ifndef _WIN32   // Windows gives 8.3 names instead (ShortNameWindowsTest)

TEST(Paths, ShortFileNameIsTheAbsolutePathOfAnExistingFile)
{
    TempDir dir;
    fs::create_directory(dir.path() / "my maps");
    const fs::path file = dir.path() / "my maps" / "Zürich 1.img";
    WriteBytes(file, "");
    const std::string absolute = Utf8FromPath(file);
    struct Case { std::string path; std::string expected; };
    const Case cases[] = {
        {absolute, absolute},
        {Utf8FromPath(fs::relative(file)), Utf8FromPath(fs::absolute(fs::relative(file)))},
        {Utf8FromPath(dir.path() / "missing.img"), ""},
        {Utf8FromPath(dir.path() / "my maps"), ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetShortFileName(c.path), c.expected) << c.path;
}

#endif

} // namespace
} // namespace mapwren
