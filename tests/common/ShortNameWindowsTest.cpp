// The upload tool receives map paths separated by blanks, so Windows' short
// path must hold no blank and still name the same file.
#include <gtest/gtest.h>

#include "common/Paths.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(ShortNameWindows, PathWithBlanksGetsABlankFreeNameOfTheSameFile)
{
    TempDir dir;
    fs::create_directory(dir.path() / "My Alpine Maps");
    const fs::path file = dir.path() / "My Alpine Maps" / PathFromUtf8("Big Z\xC3\xBCrich West.img");
    testing::WriteBytes(file, "map bytes");
    const std::string shortPath = GetShortFileName(Utf8FromPath(file));
    ASSERT_FALSE(shortPath.empty());
    EXPECT_EQ(shortPath.find(' '), std::string::npos) << shortPath;
    EXPECT_EQ(testing::ReadBytes(PathFromUtf8(shortPath)), "map bytes") << shortPath;
    EXPECT_TRUE(FileExist(shortPath));
    EXPECT_TRUE(FileExist(dir.folder() + "MY ALPINE MAPS\\BIG Z\xC3\xBCRICH WEST.IMG"));
    for (const std::string& path : {dir.folder() + "nope.img", dir.folder() + "no folder\\nope.img", std::string()})
        EXPECT_EQ(GetShortFileName(path), "") << path;
    for (const std::string& path : {dir.folder() + "<>|.img", dir.folder() + "a\"b.img"})
        EXPECT_FALSE(FileExist(path)) << path;
}

} // namespace
} // namespace mapwren
