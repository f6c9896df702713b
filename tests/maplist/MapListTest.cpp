// Map names, Load Folder's file order, and what the grid does beyond the form tests' reach.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "common/Paths.h"
#include "maplist/Captions.h"
#include "maplist/FolderScan.h"
#include "maplist/MapList.h"
#include "maplist/MapName.h"
#include "maplist/ShortNames.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
namespace fx = mapwren::testing;
using Names = std::vector<std::string>;

TEST(Captions, MegabytesRoundAHalfUpWithAPoint)
{
    const std::pair<std::int64_t, const char*> cases[] = {
        {0, "0.0"}, {1572864, "1.5"}, {3221225472, "3072.0"}, {262143, "0.2"}, {262144, "0.3"},
        {786432, "0.8"}, {104805172, "100.0"},   // 99.95 MB and a little carries into the units
    };
    for (const auto& [bytes, megabytes] : cases)
        EXPECT_EQ(TotalCaption(bytes), "Total Bytes: " + std::to_string(bytes) + " (" + megabytes + "MB)");
}

TEST(MapList, UntickingRemovesTheEntryItsTickAdded)
{
    fx::TempDir dir;
    MapList list;
    for (const char* file : {"a.img", "gone.img", "b.img", "late.img", "a.img"}) {
        fx::WriteImg(dir.path() / file, "", "");
        list.AppendRows({{RowState::Unticked, file, dir.folder(), "", 1}});
    }
    fs::remove(dir.path() / "gone.img");   // a file gone when ticked gives an empty entry
    for (std::size_t row = 0; row < 5; ++row)
        list.Toggle(row);
    fs::remove(dir.path() / "late.img");   // vanishes after its tick
    const std::pair<int, const char*> unticks[] = {{-1, "a.img  b.img late.img a.img "},   // equal entries: the first goes
        {4, " b.img late.img a.img "}, {1, "b.img late.img a.img "}, {3, "b.img a.img "}, {0, "b.img "}};
    for (const auto& [row, left] : unticks) {
        if (row >= 0)
            list.Toggle(row);
        std::string text;
        for (const std::string& entry : list.SelectedFiles())
            text += entry.substr(entry.find_last_of("/\\") + 1) + " ";
        EXPECT_EQ(text, left) << row;
    }
}

TEST(MapList, SortsNumbersByValueBeforeTextsAndKeepsTiesInBothDirections)
{
    MapList list;
    const std::tuple<const char*, const char*, std::uint64_t> rows[] = {{"1", "beta", 100}, {"2", "Alpha", 90},
        {"3", "  12  ", 100}, {"4", "-3.5", 1000}, {"5", "ALPHA", 9}, {"6", "+7.250", 100}, {"7", "-0", 5}};
    for (const auto& [file, name, bytes] : rows)
        list.AppendRows({{RowState::Unticked, file, "/", name, bytes}});
    const std::pair<int, const char*> sorts[] = {
        {4, "7 5 2 1 3 6 4 "}, {4, "4 1 3 6 2 5 7 "}, {3, "4 7 6 3 2 5 1 "}, {3, "1 2 5 3 6 7 4 "}};
    for (const auto& [col, order] : sorts) {
        list.SortByColumn(col);
        std::string text;
        for (std::size_t i = 0; i < list.RowCount(); ++i)
            text += list.Row(i).file + " ";
        EXPECT_EQ(text, order) << col;
    }
}

// A size never loses digits: the Bytes column, and only it, widens for the
// largest size of every row loaded since the last Clear.
TEST(MapList, TheBytesColumnWidensUntilTheLargestSizeShowsWhole)
{
    MapList list;
    const std::tuple<std::uint64_t, const char*, int> steps[] = {
        // bytes loaded (0: Clear), largest size, Bytes column's pixels for a text 10 px a digit, margins 3
        {0, "0", 68}, {2411724800, "2411724800", 107}, {7, "2411724800", 107}, {0, "0", 68}, {123456789, "123456789", 97},
    };
    for (const auto& [bytes, largest, pixels] : steps) {
        if (bytes == 0)
            list.Clear();
        else
            list.AppendRows({{RowState::Unticked, "a.img", "C:\\maps", "", bytes}});
        EXPECT_EQ(list.LargestBytesText(), largest);
        const int text = 10 * static_cast<int>(list.LargestBytesText().size());
        EXPECT_EQ(ShownColumnPixels(MapList::kBytesColumn, 68, text, 3), pixels) << largest;
        EXPECT_EQ(ShownColumnPixels(MapList::kBytesColumn - 1, 68, text, 3), 68) << largest;
    }
    EXPECT_TRUE(MapList::AlignsRight(MapList::kBytesColumn) && !MapList::AlignsRight(MapList::kBytesColumn - 1));
}

TEST(MapName, JoinsBothFieldsUntrimmedAndUndoesTheXorByte)
{
    const auto blanks = [](std::size_t n) { return std::string(n, ' '); };
    const std::tuple<std::string, std::string, std::uint8_t, std::string> cases[] = {
        {std::string("N\0L", 3), std::string(30, '\0'), 0x5A, "N L" + blanks(47)},   // a NUL shows as a blank
        {"ABCDEFGHIJKLMNOPQRST", "XY", 0, "ABCDEFGHIJKLMNOPQRSTXY" + blanks(28)},
        {"Topo", "Deutschland", 0x5A, "Topo" + blanks(16) + "Deutschland" + blanks(19)},
        {"Topo", "", 0xFF, "Topo" + blanks(46)},
    };
    fx::TempDir dir;
    const std::string d = dir.folder();
    for (const auto& [first, second, key, name] : cases) {
        fx::WriteImg(dir.path() / "m.img", first, second, key, 4000);
        const auto info = ReadMapFile(d + "m.img");
        ASSERT_TRUE(info.ok()) << info.error();
        EXPECT_EQ(info.value().mapName + "|" + std::to_string(info.value().size), name + "|4000") << int(key);
    }
    // Past the end of a short file every name byte is a blank, whatever the XOR byte.
    fx::WriteBytes(dir.path() / "short.img", std::string(73, '\x33') + "`[\\AGVA");   // "Shorter" XOR 0x33
    EXPECT_EQ(ExtractName(d + "short.img").value(), "Shorter" + blanks(43));
    fx::WriteBytes(dir.path() / "empty.img", "");
    EXPECT_EQ(ExtractName(d + "empty.img").value(), blanks(50));
    for (const std::string& path : {d + "gone.img", d, d + std::string("a\0b.img", 7)}) {
        const auto info = ReadMapFile(path);
        ASSERT_FALSE(info.ok()) << path;
        EXPECT_NE(info.error().find(path.substr(0, path.find('\0'))), std::string::npos) << info.error();
    }
}

// Maps read many at a time, and the short paths Select All works out in bulk, must be exactly what each read or
// ticked alone gives, whatever lies among them.
TEST(MapName, ManyMapsReadTogetherAndTheirShortPathsAnswerAsEachAlone)
{
    fx::TempDir dir;
    Names names;
    for (int i = 0; i < 150; ++i) {   // more than one batch and rows enough to list the folder, some files shorter than a header
        names.push_back("m" + std::to_string(i) + ".img");
        if (i % 7)
            fx::WriteImg(dir.path() / names.back(), "Map " + std::to_string(i), "", 0, 4000 + i);
        else
            fx::WriteBytes(dir.path() / names.back(), std::string(i, 'x'));
    }
    names[3] = "gone.img";
    names[64] = "sub.img";
    names[65] = std::string("a\0b.img", 7);
    // "M7.IMG" names m7.img where case does not tell names apart.
    names[66] = "", names[67] = "M7.IMG", names[68] = ".hidden.img", names[69] = "A Long Map Name.img";
    fs::create_directory(dir.path() / "sub.img");
    for (const char* file : {".hidden.img", "A Long Map Name.img"})
        fx::WriteImg(dir.path() / file, file, "");
#ifndef _WIN32
    fs::create_symlink(dir.path() / "m1.img", dir.path() / (names[70] = "link.img"));
    fs::create_symlink(dir.path() / "nowhere", dir.path() / (names[71] = "dangling.img"));
    // A pipe with a writer would hold a read for ever.
    ASSERT_EQ(::mkfifo((dir.folder() + (names[130] = "pipe.img")).c_str(), 0600), 0);
    const int writer = ::open((dir.folder() + "pipe.img").c_str(), O_RDWR);
#endif
    const FolderReader folder(dir.folder());
    std::vector<std::string> paths;
    for (const std::string& name : names)
        paths.push_back(dir.folder() + name);
    std::vector<HeadRequest> maps;
    for (std::size_t i = 0; i < names.size(); ++i)
        maps.push_back(i % 3 ? HeadRequest{&folder, &names[i]} : HeadRequest{nullptr, &paths[i]});
    const auto together = ReadMapFiles(maps);
    ASSERT_EQ(together.size(), names.size());
    const auto text = [](const Result<MapFileInfo>& info) {
        return info ? info.value().mapName + "|" + std::to_string(info.value().size) + "|" + std::to_string(info.value().garmin)
                    : info.error();
    };
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(text(together[i]), text(ReadMapFile(paths[i]))) << names[i];
    std::vector<MapRow> rows;
    for (const std::string& name : names)
        rows.push_back({RowState::Unticked, name, dir.folder(), "", 1});
    rows.push_back({RowState::Missing, "m2.img", dir.folder(), "", 1});
    const Names shorts = ShortFileNames(rows);
    ASSERT_EQ(shorts.size(), rows.size());
    EXPECT_NE(shorts[4], "");
    EXPECT_EQ(shorts.back(), "");
    for (std::size_t i = 0; i + 1 < rows.size(); ++i)
        EXPECT_EQ(shorts[i], GetShortFileName(rows[i].FullPath())) << rows[i].file;
#ifndef _WIN32
    ::close(writer);
#endif
}

TEST(FolderScan, ListsOnlyImgFilesInCaseBlindOrder)
{
    fx::TempDir dir;
    // A leading dot hides a file on POSIX; Windows hides by attribute (below).
    for (const char* file : {"b.img", "A.IMG", "_c.iMg", "c.txt", "img", "e.img.bak", kPathSeparator == '/' ? ".h.img" : "h"})
        fx::WriteBytes(dir.path() / file, "");
    fs::create_directory(dir.path() / "d.img");
    EXPECT_EQ(ListImgFiles(dir.folder()), (Names{"_c.iMg", "A.IMG", "b.img"}));   // "_" before letters, folded to lower case
    EXPECT_TRUE(ScanFolder(dir.folder() + "nowhere" + kPathSeparator).rows.empty());
    // More names than the short sort takes: names equal but for case keep the order they came in.
    Names names, sorted;
    for (int i = 74; i >= 0; --i) {
        const std::string n = std::to_string(1000 + i) + ".img";
        names.insert(names.end(), {(i % 2 ? "MAP" : "map") + n, (i % 2 ? "map" : "MAP") + n});
    }
    for (std::size_t i = names.size(); i > 0; i -= 2)
        sorted.insert(sorted.end(), {names[i - 2], names[i - 1]});
    QuickSortStringsStart(names, true, false);
    EXPECT_EQ(names, sorted);
}

#ifdef _WIN32
TEST(MapFilesWindows, NamesInCodePage1252AndNoHiddenOrSystemFiles)
{
    ASSERT_EQ(GetACP(), 1252u) << "run with code page 1252 (LC_ALL=C.UTF-8 under Wine)";
    fx::TempDir dir;
    const std::filesystem::path folder = dir.path() / PathFromUtf8("Z\xC3\xBCrich Karten");
    std::filesystem::create_directory(folder);
    const std::string map = Utf8FromPath(folder) + "\\Z\xC3\xBCrich.img";
    for (const auto& [bytes, shown] : {std::pair{"\x80 Gen\xE8ve", "\xE2\x82\xAC Gen\xC3\xA8ve "},
                                       std::pair{"Z\xFCrich", "Z\xC3\xBCrich "}}) {
        fx::WriteImg(PathFromUtf8(map), bytes, "", 0x5A, 2048);
        EXPECT_TRUE(ExtractName(map).value().starts_with(shown));
    }
    for (const auto& [file, attribute] : {std::pair{"hidden.img", FILE_ATTRIBUTE_HIDDEN}, std::pair{"system.img", FILE_ATTRIBUTE_SYSTEM}}) {
        fx::WriteImg(folder / file, "Hidden", "");
        ASSERT_TRUE(SetFileAttributesW((folder / file).c_str(), attribute));
    }
    const FolderScan scan = ScanFolder(Utf8FromPath(folder) + "\\");
    ASSERT_EQ(scan.rows.size(), 1u);
    EXPECT_EQ(scan.rows[0].file + "|" + scan.rows[0].mapName.substr(0, 7) + "|" + std::to_string(scan.rows[0].bytes),
              "Z\xC3\xBCrich.img|Z\xC3\xBCrich|2048");
}
#endif

} // namespace
} // namespace mapwren
