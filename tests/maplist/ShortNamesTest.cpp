#include <gtest/gtest.h>

#include <filesystem>

#include "common/Paths.h"
#include "maplist/MapList.h"
#include "maplist/ShortNames.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
namespace fx = mapwren::testing;

// Select All on a long list works out short paths in bulk; each must be what
// ticking that row alone would give.
TEST(ShortNames, BulkAnswersMatchOneByOne)
{
    fx::TempDir dir;
    std::vector<MapRow> rows;
    const auto add = [&](const std::string& file, RowState state = RowState::Unticked) {
        rows.push_back({state, file, dir.folder(), "", 1});
    };
    for (int i = 0; i < 80; ++i) {   // enough rows of one folder to list it
        const std::string file = std::string("m") + std::to_string(i) + ".img";
        fx::WriteImg(dir.path() / file, "", "");
        add(file);
    }
    fs::create_directory(dir.path() / "sub.img");
    fx::WriteImg(dir.path() / ".hidden.img", "", "");
    add("gone.img");
    add("sub.img");
    add(".hidden.img");
    add("");
    add("m3.img");   // the same file twice
#ifndef _WIN32   // symbolic links need a privilege on Windows
    fs::create_symlink(dir.path() / "m1.img", dir.path() / "link.img");
    fs::create_symlink(dir.path() / "nowhere.img", dir.path() / "dangling.img");
    add("link.img");
    add("dangling.img");
#endif
    add("m2.img", RowState::Missing);
    rows.push_back({RowState::Unticked, "m4.img", dir.folder(), "", 1});   // a folder with one row

    const std::vector<std::string> shorts = ShortFileNames(rows);
    ASSERT_EQ(shorts.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string expected = rows[i].state == RowState::Missing ? "" : GetShortFileName(rows[i].FullPath());
        EXPECT_EQ(shorts[i], expected) << rows[i].file;
    }
    EXPECT_EQ(shorts[80], "");   // gone.img
    EXPECT_NE(shorts[0], "");

    MapList list;
    list.AppendRows(rows);
    list.SelectAll();
    std::string text;
    for (std::size_t i = 0; i < rows.size(); ++i)
        text += rows[i].state == RowState::Missing ? "" : shorts[i] + " ";
    EXPECT_EQ(list.SelectedFilesText(), text);
}

} // namespace
} // namespace mapwren
