// Load Folder on Windows: files the system marks hidden or system are left
// out, and names beyond ASCII arrive whole.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/Paths.h"
#include "maplist/FolderScan.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
namespace fx = mapwren::testing;

TEST(FolderScanWindows, HiddenAndSystemFilesAreLeftOut)
{
    fx::TempDir dir;
    const fs::path folder = dir.path() / PathFromUtf8("Z\xC3\xBCrich Karten");
    fs::create_directory(folder);
    fx::WriteImg(folder / PathFromUtf8("Z\xC3\xBCrich.img"), "Z\xFCrich", "", 0, 2048);
    fx::WriteImg(folder / "hidden.img", "Hidden", "");
    fx::WriteImg(folder / "system.img", "System", "");
    ASSERT_TRUE(SetFileAttributesW((folder / "hidden.img").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((folder / "system.img").c_str(), FILE_ATTRIBUTE_SYSTEM));
    const std::string folderText = Utf8FromPath(folder) + "\\";

    const FolderScan scan = ScanFolder(folderText);

    ASSERT_EQ(scan.rows.size(), 1u);
    EXPECT_EQ(scan.rows[0].file, "Z\xC3\xBCrich.img");
    EXPECT_EQ(scan.rows[0].folder, folderText);
    EXPECT_EQ(scan.rows[0].mapName.substr(0, 7), "Z\xC3\xBCrich");
    EXPECT_EQ(scan.rows[0].bytes, 2048u);
    EXPECT_TRUE(scan.unreadable.empty());
}

} // namespace
} // namespace mapwren
