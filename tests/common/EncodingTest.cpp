// Header names and list files: single-byte text in, UTF-8 inside.
#include <gtest/gtest.h>

#include <string>

#include "common/Encoding.h"

namespace mapwren {
namespace {

TEST(Encoding, Windows1252BytesReadAsTheirCharacters)
{
    struct Case { const char* bytes; const char* text; };
    const Case cases[] = {
        {"Z\xFCrich", "Zürich"}, {"\x80", "€"},  {"\x8A\x9A", "Šš"},     {"\x9F", "Ÿ"},
        {"\x93Topo\x94", "“Topo”"}, {"\xA0\xFF", "\u00A0ÿ"}, {"\x81\x8D\x8F\x90\x9D", "\u0081\u008D\u008F\u0090\u009D"},
        {"Alps  ", "Alps  "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Windows1252ToUtf8(c.bytes), c.text) << c.bytes;
#ifndef _WIN32   // Windows reads headers in its ANSI code page (MapNameWindowsTest)
    EXPECT_EQ(HeaderBytesToUtf8("Z\xFCrich \x80"), "Zürich €");
#endif
}

TEST(Encoding, RecognisesWellFormedUtf8Only)
{
    struct Case { const char* text; bool valid; };
    const Case cases[] = {
        {"Zürich €", true},   {"\xF0\x9F\x97\xBA", true}, {"Z\xFCrich", false},
        {"\xC0\xAF", false}, {"\xED\xA0\x80", false},    {"\xE2\x82", false},   // overlong, surrogate, cut short
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidUtf8(c.text), c.valid) << c.text;
}

#ifndef _WIN32   // Windows list files are in the ANSI code page (ListFileWindowsTest)

TEST(Encoding, ListFilesAreUtf8AndStillReadWhenWrittenOnWindows)
{
    EXPECT_EQ(ListFileBytesToUtf8("/maps/Zürich.img"), "/maps/Zürich.img");
    EXPECT_EQ(ListFileBytesToUtf8("C:\\MAPS\\Z\xFCrich.img"), "C:\\MAPS\\Zürich.img");
    // One stray byte makes the whole text Windows-1252, not a mixture.
    EXPECT_EQ(ListFileBytesToUtf8("\xC3\xBC\xFC"), "Ã¼ü");
}

TEST(Encoding, ListFileTextRoundTrips)
{
    for (const char* text : {"", "/maps/Zürich €.img", "/地図/日本.img", "mapwren COM1 1 Topo"}) {
        std::string bytes;
        ASSERT_TRUE(Utf8ToListFileBytes(text, bytes)) << text;
        EXPECT_EQ(ListFileBytesToUtf8(bytes), text);
    }
    std::string bytes;
    EXPECT_FALSE(Utf8ToListFileBytes("/maps/Z\xFCrich.img", bytes));   // not text we can write back
}

#endif

} // namespace
} // namespace mapwren
