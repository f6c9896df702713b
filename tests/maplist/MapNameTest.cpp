#include <gtest/gtest.h>

#include "maplist/MapName.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fx = mapwren::testing;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

TEST(MapName, JoinsBothFieldsUntrimmedAndUndoesTheXorByte)
{
    struct Case { std::string first, second; std::uint8_t key; std::string name; };
    const Case cases[] = {
        {std::string("N\0L", 3), std::string(30, '\0'), 0x5A, "N L" + Blanks(47)},   // a NUL shows as a blank
        {"ABC", "", 0, "ABC" + Blanks(47)},
        {"ABCDEFGHIJKLMNOPQRST", "XY", 0, "ABCDEFGHIJKLMNOPQRSTXY" + Blanks(28)},
        {"Topo", "Deutschland", 0x5A, "Topo" + Blanks(16) + "Deutschland" + Blanks(19)},
        {"Topo", "", 0xFF, "Topo" + Blanks(46)},
    };
    fx::TempDir dir;
    for (const auto& c : cases) {
        const auto file = dir.path() / "m.img";
        fx::WriteImg(file, c.first, c.second, c.key, 4000);
        const auto info = ReadMapFile(dir.folder() + "m.img");
        ASSERT_TRUE(info.ok()) << info.error();
        EXPECT_EQ(info.value().mapName, c.name) << "key " << int(c.key);
        EXPECT_EQ(info.value().size, 4000u);
        EXPECT_EQ(ExtractName(dir.folder() + "m.img").value(), c.name);
    }
}

TEST(MapName, StoredBlankIsTheBlankXoredWithTheKey)
{
    fx::TempDir dir;
    std::string bytes(131, static_cast<char>(0x20 ^ 0x41));   // every name byte a stored blank
    bytes[0] = 0x41;
    bytes[73] = static_cast<char>('M' ^ 0x41);
    fx::WriteBytes(dir.path() / "x.img", bytes);
    EXPECT_EQ(ExtractName(dir.folder() + "x.img").value(), "M" + Blanks(49));
}

TEST(MapName, BytesPastTheEndOfAShortFileReadAsBlanks)
{
    fx::TempDir dir;
    std::string bytes(80, '\0');
    bytes[0] = 0x33;
    for (int i = 0; i < 7; ++i)
        bytes[73 + i] = static_cast<char>("Shorter"[i] ^ 0x33);
    fx::WriteBytes(dir.path() / "short.img", bytes);
    fx::WriteBytes(dir.path() / "empty.img", "");

    const auto shortFile = ReadMapFile(dir.folder() + "short.img");
    ASSERT_TRUE(shortFile.ok());
    EXPECT_EQ(shortFile.value().mapName, "Shorter" + Blanks(43));
    EXPECT_EQ(shortFile.value().size, 80u);
    EXPECT_EQ(ExtractName(dir.folder() + "empty.img").value(), Blanks(50));
}

TEST(MapName, FileThatCannotBeReadIsAFailureNamingIt)
{
    fx::TempDir dir;
    const std::string paths[] = {dir.folder() + "gone.img", dir.folder(), dir.folder() + std::string("a\0b.img", 7)};
    for (const auto& path : paths) {
        const auto info = ReadMapFile(path);
        ASSERT_FALSE(info.ok()) << path;
        EXPECT_NE(info.error().find(path.substr(0, path.find('\0'))), std::string::npos) << info.error();
    }
}

} // namespace
} // namespace mapwren
