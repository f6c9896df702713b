#include <gtest/gtest.h>

#include "common/Paths.h"
#include "listfile/ListFile.h"
#include "maplist/MapList.h"
#include "support/Fixtures.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace mapwren {
namespace {

using testing::TempDir;
using testing::WriteBytes;
using testing::WriteImg;
using Paths = std::vector<std::string>;

ListFileContent ReadBytesAsList(const TempDir& dir, const std::string& bytes)
{
    WriteBytes(dir.path() / "list.mwl", bytes);
    return ReadListFile(dir.folder() + "list.mwl");
}

TEST(ReadListFile, RefusesAFileWithoutTheMarker)
{
    TempDir dir;
    const ListFileContent content = ReadBytesAsList(dir, "C:\\MAPS\\A.IMG\r\nC:\\MAPS\\B.IMG\r\n");
    EXPECT_EQ(content.error, ListFileError::Invalid);
    EXPECT_EQ(content.message, "Invalid File                 ");
    EXPECT_TRUE(content.mapPaths.empty());
}

TEST(ReadListFile, TakesOnlyLinesEndingInImgUntrimmed)
{
    TempDir dir;
    const ListFileContent content = ReadBytesAsList(dir,
        "mapwren USB mapset:1 Alps\r\n"
        "C:\\MAPS\\A.IMG\r\n"
        "c:\\maps\\a.img\r\n"
        "c:\\maps\\a.img \r\n"
        "\r\n"
        "notes.txt\r\n"
        "/maps/b.Img.bak\r\n"
        " /maps/with blank.img\r\n");
    ASSERT_EQ(content.error, ListFileError::None);
    EXPECT_EQ(content.head.port, Port::Usb);
    EXPECT_EQ(content.head.mapsetName, "Alps");
    EXPECT_EQ(content.mapPaths, (Paths{"C:\\MAPS\\A.IMG", "c:\\maps\\a.img", " /maps/with blank.img"}));
}

TEST(ReadListFile, EndsLinesAtCrLfCrOrLf)
{
    const struct {
        const char* name;
        const char* bytes;
    } cases[] = {
        {"CR LF", "mapwren COM2\r\n/m/a.img\r\n/m/b.img\r\n"},
        {"CR", "mapwren COM2\r/m/a.img\r/m/b.img\r"},
        {"LF", "mapwren COM2\n/m/a.img\n/m/b.img\n"},
        {"mixed, no final ending", "mapwren COM2\n/m/a.img\r/m/b.img"},
        {"empty lines between", "mapwren COM2\r\n\r\n/m/a.img\n\r/m/b.img\r\n\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const ListFileContent content = ReadBytesAsList(dir, c.bytes);
        ASSERT_EQ(content.error, ListFileError::None);
        EXPECT_EQ(content.head.comPort, "COM2");
        EXPECT_EQ(content.mapPaths, (Paths{"/m/a.img", "/m/b.img"}));
    }
}

TEST(ReadListFile, NamesTheFileItCannotRead)
{
    TempDir dir;
    WriteBytes(dir.path() / "empty.mwl", "");
    std::filesystem::create_directory(dir.path() / "folder.mwl");
    // Sparse files of nothing but NUL bytes: the largest list read, and one byte more.
    for (const auto& [name, size] : {std::pair{"largest.mwl", 64 << 20}, {"huge.mwl", (64 << 20) + 1}}) {
        WriteBytes(dir.path() / name, "");
        std::filesystem::resize_file(dir.path() / name, size);
    }
#ifdef _WIN32
    const std::string device = "NUL";
#else
    const std::string device = "/dev/zero";
    ASSERT_EQ(mkfifo((dir.folder() + "pipe.mwl").c_str(), 0600), 0);
#endif
    const std::string notAFile = " is not an ordinary file (it is a device or a pipe), so it cannot be read as a list.";
    const struct {
        std::string path;
        ListFileError error;
        std::string message;
    } cases[] = {
        {dir.folder() + "missing.mwl", ListFileError::CannotOpen,
         "The list file " + dir.folder() + "missing.mwl could not be opened."},
        {dir.folder() + "folder.mwl", ListFileError::CannotOpen,
         "The list file " + dir.folder() + "folder.mwl could not be opened."},
        {dir.folder() + "empty.mwl", ListFileError::Empty, "The list file " + dir.folder() + "empty.mwl is empty."},
        {device, ListFileError::NotAFile, "The list file " + device + notAFile},
#ifndef _WIN32
        {dir.folder() + "pipe.mwl", ListFileError::NotAFile, "The list file " + dir.folder() + "pipe.mwl" + notAFile},
#endif
        {dir.folder() + "largest.mwl", ListFileError::Invalid, "Invalid File                 "},
        {dir.folder() + "huge.mwl", ListFileError::TooLarge,
         "The list file " + dir.folder() + "huge.mwl is larger than 64 MB, far more than any list of maps needs, "
         "so it is not read."},
    };
    for (const auto& c : cases) {
        const ListFileContent content = ReadListFile(c.path);
        EXPECT_EQ(content.error, c.error) << c.path;
        EXPECT_EQ(content.message, c.message);
    }
}

TEST(RowsFromMapPaths, GivesNameAndSizeOrAMissingRow)
{
    TempDir dir;
    WriteImg(dir.path() / "alps.img", "ALPS", "WEST", 0x5A, 4000);
    const std::string alps = dir.folder() + "alps.img";
    const std::string gone = dir.folder() + "gone.img";

    MapList list;
    list.AppendRows(RowsFromMapPaths({alps, gone, "loose.img"}));
    ASSERT_EQ(list.RowCount(), 3u);

    const MapRow& found = list.Row(0);
    EXPECT_EQ(found.state, RowState::Unticked);
    EXPECT_EQ(found.folder, dir.folder());
    EXPECT_EQ(found.file, "alps.img");
    EXPECT_EQ(found.mapName, "ALPS" + std::string(16, ' ') + "WEST" + std::string(26, ' '));
    EXPECT_EQ(list.CellText(0, 4), "4000");

    const MapRow& missing = list.Row(1);
    EXPECT_EQ(missing.state, RowState::Missing);
    EXPECT_EQ(missing.file, "gone.img");
    EXPECT_EQ(missing.mapName, "");
    EXPECT_EQ(list.CellText(1, 4), "0");

    EXPECT_EQ(list.Row(2).folder, "");
    EXPECT_EQ(list.Row(2).file, "loose.img");
    EXPECT_EQ(list.Row(2).state, RowState::Missing);
}

} // namespace
} // namespace mapwren
