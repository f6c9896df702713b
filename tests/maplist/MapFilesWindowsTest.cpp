// Map files on Windows: header names in the ANSI code page (1252 here), paths
// beyond ASCII, and Load Folder leaving out hidden and system files.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/Paths.h"
#include "maplist/FolderScan.h"
#include "maplist/MapName.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
namespace fx = mapwren::testing;

TEST(MapFilesWindows, NamesInCodePage1252AndNoHiddenOrSystemFiles)
{
    ASSERT_EQ(GetACP(), 1252u) << "run with code page 1252 (LC_ALL=C.UTF-8 under Wine)";
    fx::TempDir dir;
    const fs::path folder = dir.path() / PathFromUtf8("Z\xC3\xBCrich Karten");
    fs::create_directory(folder);
    const fs::path map = folder / PathFromUtf8("Z\xC3\xBCrich.img");
    const std::pair<const char*, const char*> names[] = {{"\x80 Gen\xE8ve", "\xE2\x82\xAC Gen\xC3\xA8ve"},
                                                        {"Z\xFCrich", "Z\xC3\xBCrich"}};
    for (const auto& [bytes, shown] : names) {
        fx::WriteImg(map, bytes, "", 0x5A, 2048);
        EXPECT_EQ(ExtractName(Utf8FromPath(map)).value().substr(0, std::string(shown).size() + 1),
                  std::string(shown) + " ");
    }
    fx::WriteImg(folder / "hidden.img", "Hidden", "");
    fx::WriteImg(folder / "system.img", "System", "");
    ASSERT_TRUE(SetFileAttributesW((folder / "hidden.img").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(SetFileAttributesW((folder / "system.img").c_str(), FILE_ATTRIBUTE_SYSTEM));
    const FolderScan scan = ScanFolder(Utf8FromPath(folder) + "\\");
    ASSERT_EQ(scan.rows.size(), 1u);
    EXPECT_EQ(scan.rows[0].file, "Z\xC3\xBCrich.img");
    EXPECT_EQ(scan.rows[0].mapName.substr(0, 7), "Z\xC3\xBCrich");
    EXPECT_EQ(scan.rows[0].bytes, 2048u);
}

} // namespace
} // namespace mapwren
