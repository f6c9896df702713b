// Header and list-file text, and the paths handed to the upload tool.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include "common/Encoding.h"
#include "common/Paths.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;

TEST(Encoding, Windows1252AndUtf8)
{
    const std::pair<const char*, const char*> bytes1252[] = {
        {"Z\xFCrich", "Zürich"}, {"\x80\x8A\x9A\x9F", "€ŠšŸ"}, {"\x93T\x94", "“T”"}, {"\xA0\xFF", "\u00A0ÿ"},
        {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},   // undefined bytes keep their code points
    };
    for (const auto& [in, out] : bytes1252)
        EXPECT_EQ(Windows1252ToUtf8(in), out) << in;
    const std::pair<const char*, bool> utf8[] = {
        {"Zürich €", true}, {"\xF0\x9F\x97\xBA", true}, {"Z\xFCrich", false},
        {"\xC0\xAF", false}, {"\xED\xA0\x80", false}, {"\xE2\x82", false},   // overlong, surrogate, cut short
    };
    for (const auto& [text, valid] : utf8)
        EXPECT_EQ(IsValidUtf8(text), valid) << text;
}

TEST(Paths, FileExistOnlyForAnOrdinaryFile)
{
    testing::TempDir dir;
    testing::WriteBytes(dir.path() / "empty.img", "");
    testing::WriteBytes(dir.path() / "a", "x");
    fs::create_directory(dir.path() / "folder.img");
    const std::string base = dir.folder();
    const std::pair<std::string, bool> cases[] = {
        {base + "empty.img", true}, {base + "folder.img", false}, {base + "missing.img", false}, {"", false},
        {base + std::string("a\0b", 3), false},   // would name "a" when cut at the NUL
        {base + "bad\xFF\xFE<>|.img", false},
    };
    for (const auto& [path, exists] : cases)
        EXPECT_EQ(FileExist(path), exists) << path;
}

#ifndef _WIN32   // Windows uses its ANSI code page and short names: below
TEST(Encoding, ListFilesAreUtf8OrWhollyWindows1252)
{
    EXPECT_EQ(HeaderBytesToUtf8("Z\xFCrich \x80"), "Zürich €");
    EXPECT_EQ(ListFileBytesToUtf8("C:\\MAPS\\Z\xFCrich.img"), "C:\\MAPS\\Zürich.img");
    const ListFileDecoder decode("/m/\xC3\xBC.img\r\n/m/\xFC.img\r\n");   // one stray byte: never a mixture
    EXPECT_EQ(decode("/m/\xC3\xBC.img") + decode("/m/\xFC.img"), "/m/Ã¼.img/m/ü.img");
    std::string bytes;
    ASSERT_TRUE(Utf8ToListFileBytes("/地図/Zürich €.img", bytes));
    EXPECT_EQ(bytes, "/地図/Zürich €.img");
    EXPECT_FALSE(Utf8ToListFileBytes("/maps/Z\xFCrich.img", bytes));
}

TEST(Paths, ShortFileNameIsTheAbsolutePathOfAnExistingFile)
{
    testing::TempDir dir;
    const fs::path file = dir.path() / "Zürich 1.img";
    testing::WriteBytes(file, "");
    const std::pair<std::string, std::string> cases[] = {{file, file}, {fs::relative(file), fs::absolute(fs::relative(file))},
                                                         {dir.path() / "missing.img", ""}, {dir.path(), ""}, {"", ""}};
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(GetShortFileName(path), expected) << path;
}
#else
TEST(ShortNameWindows, PathWithBlanksGetsABlankFreeNameOfTheSameFile)
{
    testing::TempDir dir;
    std::filesystem::create_directory(dir.path() / "My Alpine Maps");
    testing::WriteBytes(dir.path() / "My Alpine Maps" / PathFromUtf8("Big Z\xC3\xBCrich West.img"), "map bytes");
    const std::string shortPath = GetShortFileName(dir.folder() + "My Alpine Maps\\Big Z\xC3\xBCrich West.img");
    EXPECT_EQ(shortPath.find(' '), std::string::npos) << shortPath;
    EXPECT_EQ(testing::ReadBytes(PathFromUtf8(shortPath)), "map bytes") << shortPath;
    EXPECT_TRUE(FileExist(dir.folder() + "MY ALPINE MAPS\\BIG Z\xC3\xBCRICH WEST.IMG"));
    for (const std::string& path : {dir.folder() + "nope.img", dir.folder() + "no folder\\nope.img", std::string()})
        EXPECT_EQ(GetShortFileName(path), "") << path;
    for (const std::string& path : {dir.folder() + "<>|.img", dir.folder() + "a\"b.img"})
        EXPECT_FALSE(FileExist(path)) << path;
}

// It follows "... could not be started:": the system's "%1" would reach the user as it stands.
TEST(SystemMessageWindows, ThePlaceholderBecomesItAndNoPeriodEnds)
{
    for (const DWORD error : {DWORD{ERROR_BAD_EXE_FORMAT}, DWORD{ERROR_FILE_NOT_FOUND}, DWORD{0xFFFFFFFF}}) {
        const std::string text = SystemMessage(error);
        EXPECT_TRUE(text.find('%') == std::string::npos && !text.empty() && text.back() != '.') << text;
    }
    EXPECT_NE(SystemMessage(ERROR_BAD_EXE_FORMAT).find("it"), std::string::npos);
}
#endif

} // namespace
} // namespace mapwren
