// Splitting a command line as the started program's C runtime does, and
// writing arguments so that they come back unchanged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tool/CommandLine.h"

namespace mapwren {
namespace {

using Args = std::vector<std::string>;

TEST(SplitCommandLine, FollowsTheCRuntimeRules)
{
    struct Case { const char* line; Args expected; };
    const Case cases[] = {
        {R"(p "abc" d e)", {"p", "abc", "d", "e"}},
        {R"(p a\\\b d"e f"g h)", {"p", R"(a\\\b)", "de fg", "h"}},
        {R"(p a\\\"b c d)", {"p", R"(a\"b)", "c", "d"}},
        {R"(p a\\\\"b c" d e)", {"p", R"(a\\b c)", "d", "e"}},
        {R"(p a"b"" c d)", {"p", R"(ab" c d)"}},
        {R"(p "" b)", {"p", "", "b"}},
        {R"(p "a b)", {"p", "a b"}},
        {"p\ta\t\tb  ", {"p", "a", "b"}},
        {R"(p C:\MAPS\A.IMG)", {"p", R"(C:\MAPS\A.IMG)"}},
        // The program name: quotes switch on and off, backslashes are plain.
        {R"("C:\Program Files\SENDMAP20.EXE" -e)", {R"(C:\Program Files\SENDMAP20.EXE)", "-e"}},
        {R"(c:\x\"y z"\p.exe a)", {R"(c:\x\y z\p.exe)", "a"}},
        {R"(prog\" a)", {R"(prog\ a)"}},
        {R"(C:\MAPWREN\SENDMAP20.EXE  -e)", {R"(C:\MAPWREN\SENDMAP20.EXE)", "-e"}},
        {"", {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line), c.expected) << c.line;
}

TEST(QuoteArgument, ComesBackUnchangedThroughTheSplit)
{
    const char* arguments[] = {"/maps/a.img", R"(C:\MAPS\A.IMG)", "with blank", "", "tab\there", "q\"uote",
                               R"(ends in\\)", R"(\")", R"(a\\b c)", R"(C:\My Maps\)", "Zürich €.img"};
    for (const char* arg : arguments)
        EXPECT_EQ(SplitCommandLine("p " + QuoteArgument(arg)), (Args{"p", arg})) << arg;
}

} // namespace
} // namespace mapwren
