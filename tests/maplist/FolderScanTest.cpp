#include <gtest/gtest.h>

#include <filesystem>

#include "maplist/FolderScan.h"
#include "support/Fixtures.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace mapwren {
namespace {

namespace fs = std::filesystem;
namespace fx = mapwren::testing;

TEST(FolderScan, ListsOnlyImgFilesInCaseBlindOrder)
{
    fx::TempDir dir;
    fx::WriteImg(dir.path() / "b.img", "Bravo", "");
    fx::WriteImg(dir.path() / "A.IMG", "Alpha", "", 0, 5000);
    fx::WriteBytes(dir.path() / "c.txt", "text");
    fs::create_directory(dir.path() / "d.img");
    fx::WriteBytes(dir.path() / "img", "");            // shorter than ".img"
    fx::WriteBytes(dir.path() / "e.img.bak", "");
    fx::WriteImg(dir.path() / "f.Img", "Foxtrot", "");
#ifndef _WIN32   // a leading dot hides a file only on POSIX
    fx::WriteImg(dir.path() / ".hidden.img", "Hidden", "");
#endif

    const std::vector<std::string> expected = {"A.IMG", "b.img", "f.Img"};
    EXPECT_EQ(ListImgFiles(dir.folder()), expected);

    const FolderScan scan = ScanFolder(dir.folder());
    EXPECT_TRUE(scan.unreadable.empty());
    ASSERT_EQ(scan.rows.size(), 3u);
    const MapRow& first = scan.rows[0];
    EXPECT_EQ(first.file, "A.IMG");
    EXPECT_EQ(first.folder, dir.folder());
    EXPECT_EQ(first.mapName, "Alpha" + std::string(45, ' '));
    EXPECT_EQ(first.bytes, 5000u);
    for (const MapRow& row : scan.rows)
        EXPECT_EQ(row.state, RowState::Unticked) << row.file;
}

TEST(FolderScan, ManyNamesSortedWithoutRegardToCaseKeepingTies)
{
    // More names than the insertion sort takes, in pairs equal but for case;
    // each pair must keep the order it came in.
    std::vector<std::string> names, expected;
    const auto pair = [](int i) {
        const std::string n = std::to_string(1000 + i) + ".img";
        return i % 2 ? std::pair("MAP" + n, "map" + n) : std::pair("map" + n, "MAP" + n);
    };
    for (int i = 74; i >= 0; --i) {
        names.push_back(pair(i).first);
        names.push_back(pair(i).second);
    }
    for (int i = 0; i < 75; ++i) {
        expected.push_back(pair(i).first);
        expected.push_back(pair(i).second);
    }
    QuickSortStringsStart(names, true, false);
    EXPECT_EQ(names, expected);

    std::vector<std::string> descending = {"b", "C", "a", "B"};
    QuickSortStringsStart(descending, false, false);
    EXPECT_EQ(descending, (std::vector<std::string>{"C", "b", "B", "a"}));
    std::vector<std::string> byCode = {"b", "C", "a", "B"};
    QuickSortStringsStart(byCode, true, true);
    EXPECT_EQ(byCode, (std::vector<std::string>{"B", "C", "a", "b"}));
}

TEST(FolderScan, LargeFolderRowsFollowTheListing)
{
    fx::TempDir dir;
    for (int i = 0; i < 100; ++i)   // created out of order, some names in capitals
        fx::WriteImg(dir.path() / (std::string(i % 3 ? "t" : "T") + std::to_string(100 + (i * 37) % 100) + ".img"), "", "");
    const std::vector<std::string> names = ListImgFiles(dir.folder());
    const FolderScan scan = ScanFolder(dir.folder());
    ASSERT_EQ(names.size(), 100u);
    ASSERT_EQ(scan.rows.size(), 100u);
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_EQ(names[i].substr(1), std::to_string(100 + i) + ".img");
        EXPECT_EQ(scan.rows[i].file, names[i]);
    }
}

#ifndef _WIN32   // POSIX permissions and a process that drops to "nobody"
// Scans as a user who may not read `locked`; root reads everything, so a
// root test run scans from a child process that has dropped to "nobody".
std::string ScanAsUnprivileged(const fx::TempDir& dir)
{
    const auto describe = [&] {
        const FolderScan scan = ScanFolder(dir.folder());
        std::string text;
        for (const MapRow& row : scan.rows)
            text += row.file + " name=[" + row.mapName.substr(0, 4) + "] bytes=" + std::to_string(row.bytes) + "\n";
        for (const auto& path : scan.unreadable)
            text += "unreadable " + path.substr(dir.folder().size()) + "\n";
        return text;
    };
    if (::geteuid() != 0)
        return describe();
    ::chmod(dir.path().c_str(), 0755);
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeFds[0]);
        std::string text = (::setgid(65534) == 0 && ::setuid(65534) == 0) ? describe() : "cannot drop root";
        const bool written = ::write(pipeFds[1], text.data(), text.size()) == static_cast<ssize_t>(text.size());
        ::_exit(written ? 0 : 1);
    }
    ::close(pipeFds[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeFds[0]);
    ::waitpid(child, nullptr, 0);
    return text;
}

TEST(FolderScan, UnreadableMapFileKeepsItsRowAndIsReported)
{
    fx::TempDir dir;
    fx::WriteImg(dir.path() / "a.img", "Open", "");
    fx::WriteImg(dir.path() / "locked.img", "Shut", "", 0, 777);
    fx::WriteImg(dir.path() / "z.img", "Last", "");
    ::chmod((dir.path() / "a.img").c_str(), 0644);
    ::chmod((dir.path() / "z.img").c_str(), 0644);
    ::chmod((dir.path() / "locked.img").c_str(), 0);
    EXPECT_EQ(ScanAsUnprivileged(dir),
              "a.img name=[Open] bytes=131\n"
              "locked.img name=[] bytes=777\n"
              "z.img name=[Last] bytes=131\n"
              "unreadable locked.img\n");
}
#endif

TEST(FolderScan, FolderThatCannotBeListedGivesNoRows)
{
    fx::TempDir dir;
    const std::string missing = dir.folder() + "nowhere" + std::string(1, dir.folder().back());
    EXPECT_TRUE(ListImgFiles(missing).empty());
    EXPECT_TRUE(ScanFolder(missing).rows.empty());
}

} // namespace
} // namespace mapwren
