#include <gtest/gtest.h>

#include "common/Text.h"

namespace mapwren {
namespace {

TEST(Text, ComparesLettersWithoutRegardToCase)
{
    struct Case { const char* a; const char* b; int expected; };
    const Case cases[] = {
        {"A.IMG", "a.img", 0}, {"a.img", "B.img", -1}, {"b.img", "A.IMG", 1},
        {"ab", "abc", -1},     {"", "", 0},           {"Z", "_", 1},  // letters fold to lower case, after "_"
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompareNoCase(c.a, c.b), c.expected) << c.a << " vs " << c.b;
}

TEST(Text, MatchesImgEndingInAnyCase)
{
    EXPECT_TRUE(EndsWithNoCase("x.IMG", ".img"));
    EXPECT_TRUE(EndsWithNoCase("x.Img", ".img"));
    EXPECT_FALSE(EndsWithNoCase("img", ".img"));
    EXPECT_FALSE(EndsWithNoCase("x.img ", ".img"));
}

} // namespace
} // namespace mapwren
