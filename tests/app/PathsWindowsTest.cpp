// Paths as Windows users have them, with the real file system: folders deeper
// than MAX_PATH and maps on a network share, loaded, ticked, saved in a list
// and handed to the upload tool.
#include <windows.h>

#include "app/FormFixture.h"

namespace mapwren::testing {
namespace {

// Made folder by folder below base, which ends with the separator; the path
// ends with the separator too.
std::string MakeFolders(std::string path, int levels, const std::string& name)
{
    for (int i = 0; i < levels; ++i) {
        path += name + std::to_string(i) + kPathSeparator;
        CreateDirectoryW(PathFromUtf8(path).c_str(), nullptr);
    }
    return path;
}

std::string Loaded(Form& f, const std::string& folder)
{
    f.desktop.nextFile = folder + "any.img";
    f.w->Click("cmdFileOpen");
    return f.Column(1) + f.Column(3).substr(0, 5);
}

TEST(PathsWindows, MapsDeeperThanMaxPathLoadAndReachTheToolAsShortPathsThatOpen)
{
    Form f;
    const std::string deep = MakeFolders(f.MapsText(), 6, "Alpine Maps Of The Summer Of Twenty Twenty Six ");
    ASSERT_GT(deep.size(), 300u);
    // The system's plain calls stop at MAX_PATH; the "\\?\" form reaches past it.
    EXPECT_TRUE(PathFromUtf8(deep + "Big Map.img").native().starts_with(L"\\\\?\\C:\\")) << deep;
    WriteImg(PathFromUtf8(deep + "Big Map.img"), "Alpha", "", 0, 300);
    EXPECT_EQ(Loaded(f, deep), "Big Map.img|Alpha");
    f.Run("cmdSelectAll cmdUpload");
    const Texts sent = ReceivedArguments(f.Program());
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_LT(sent[0].size(), std::size_t(MAX_PATH));
    EXPECT_EQ(sent[0].find(' '), std::string::npos) << sent[0];
    EXPECT_TRUE(FileExist(sent[0])) << sent[0];
    // A list saved there loads again.
    f.desktop.nextFile = deep + "maps.mwl";
    f.Run("cmdSaveList cmdClearGrid");
    f.w->Click("cmdLoadList");
    EXPECT_EQ(f.Column(1) + f.Ticks() + " " + f.Only(), "Big Map.img|. 0 messages");

    // Names already 8.3 have no shorter form: the tool gets the "\\?\" form, which its file calls open.
    const std::string deeper = MakeFolders(f.MapsText(), 80, "f");
    WriteImg(PathFromUtf8(deeper + "c.img"), "Charlie", "");
    const std::string shortName = GetShortFileName(deeper + "c.img");
    EXPECT_TRUE(shortName.starts_with("\\\\?\\C:\\")) << shortName;
    EXPECT_TRUE(FileExist(shortName));
}

// The share is the drive's administrative share (Windows') or a mapping in
// the Wine prefix (scripts/wine-env); Wine gives no short names there.
TEST(PathsWindows, MapsOnANetworkShareLoadAndAreSentUnderTheirLongPathWhereNoShortOneIsGiven)
{
    Form f;
    const std::string local = f.MapsText();
    const std::string share = "\\\\localhost\\" + std::string(1, char(std::tolower(local[0]))) + "$" + local.substr(2);
    if (!FolderExist(share))
        GTEST_SKIP() << "no share " << share;
    WriteImg(f.Maps() / "My Map.img", "Alpha", "", 0, 300);
    EXPECT_EQ(Loaded(f, share), "My Map.img|Alpha");
    f.Run("cmdSelectAll cmdUpload");
    const std::string sent = GetShortFileName(share + "My Map.img");
    EXPECT_TRUE(FileExist(sent)) << sent;
    EXPECT_EQ(ReceivedArguments(f.Program()), Texts{sent});
    EXPECT_EQ(f.Only(), "0 messages");
    if (sent.find(' ') != std::string::npos) {
        EXPECT_TRUE(f.w->UploadCommand.ends_with(" \"" + sent + "\"")) << f.w->UploadCommand;
    }
}

// A map another program holds open without sharing cannot be read, yet its row shows its size.
TEST(PathsWindows, AMapHeldWithoutSharingShowsItsSizeAndIsNamedUnreadable)
{
    Form f;
    f.WriteMaps({{"a.img", "Alpha", 3000}});
    const HANDLE held = CreateFileW((f.Maps() / "a.img").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    f.Run("load");
    CloseHandle(held);
    EXPECT_EQ(f.Column(4) + " " + f.Only(),
              "3000| ! MAPWREN: This map file could not be read; its row shows no map name:\n" + f.MapsText() + "a.img");
}

} // namespace
} // namespace mapwren::testing
