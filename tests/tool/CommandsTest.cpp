// The command lines the upload tool receives, as exact text.
#include <gtest/gtest.h>

#include <list>
#include <string>

#include "common/Paths.h"
#include "maplist/MapList.h"
#include "support/Fixtures.h"
#include "tool/CommandLine.h"
#include "tool/CommandCases.h"
#include "tool/Commands.h"
#include "tool/TickedMaps.h"

namespace mapwren {
namespace {

using testing::Upload;
constexpr auto V1 = ToolVariant::Sendmap;
constexpr auto V2 = ToolVariant::Sendmap20;

#ifdef _WIN32
const std::string kFolder = "C:\\MAPWREN";
const std::string kMap1 = "C:\\MAPS\\ALPS.IMG";
const std::string kMap2 = "C:\\MAPS\\PYRENE~1.IMG";
#else
const std::string kFolder = "/opt/mapwren";
const std::string kMap1 = "/maps/alps.img";
const std::string kMap2 = "/maps/pyrenees.img";
#endif

// "{folder}\" is the folder and the platform's separator; "{map1}", "{map2}" the maps.
std::string Expand(std::string text, const std::string& folder = kFolder)
{
    const auto replace = [&](const std::string& from, const std::string& to) {
        for (std::size_t at; (at = text.find(from)) != std::string::npos;)
            text.replace(at, from.size(), to);
    };
    replace("{folder}\\", folder + kPathSeparator);
    replace("{map1}", kMap1);
    replace("{map2}", kMap2);
    return text;
}

std::string ToolName(ToolVariant v) { return v == V1 ? "SENDMAP.EXE" : "SENDMAP20.EXE"; }

TEST(Commands, EveryCommandLineAsExactText)
{
    for (const testing::CommandCase& c : testing::CommandCases())
        EXPECT_EQ(testing::BuildCommand(c, kFolder, ToolName(c.settings.variant), kMap1, kMap2), Expand(c.text));
}

TEST(UploadCommand, EmptySelectionLosesOnlyACharacterThatIsThere)
{
    struct Case { UploadSettings settings; const char* expected; };
    const Case cases[] = {
        {Upload(V2, Port::Auto, "COM1", 19200), "{folder}\\SENDMAP20.EXE -s19200"},
        {Upload(V1, Port::Com, "COM3", 9600), "{folder}\\SENDMAP.EXE COM3 -s9600"},
        {Upload(V2, Port::Usb, "COM1", 9600), "{folder}\\SENDMAP20.EXE -tUSB"},
        {Upload(V2, Port::Auto, "COM1", 115200), "{folder}\\SENDMAP20.EXE "},
        {Upload(V2, Port::Auto, "COM1", 115200, nullptr, "-l "), "{folder}\\SENDMAP20.EXE -l "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuildUploadCommand(kFolder, ToolName(c.settings.variant), c.settings, {}), Expand(c.expected));
}

TEST(UploadCommand, PathsHoldingBlanksStayOneArgument)
{
    const std::string folder = kFolder + " Tools";
    const std::string spaced = kFolder + kPathSeparator + "my maps" + kPathSeparator + "a b.img";
    const UploadSettings s = Upload(V2, Port::Com, "COM2", 9600, "Alps Topo");
    const std::string command = BuildUploadCommand(folder, "SENDMAP20.EXE", s, {kMap1, spaced});
    EXPECT_EQ(command, "\"" + folder + kPathSeparator + "SENDMAP20.EXE\" -tCOM2 -s9600 " + kMap1 + " \"" + spaced +
                           "\" -m \"Alps Topo\"");
    EXPECT_EQ(BuildEraseCommand(folder, "SENDMAP20.EXE", V2, Port::Auto, "COM1"),
              "\"" + folder + kPathSeparator + "SENDMAP20.EXE\"  -e");
}

TEST(UploadCommand, TheToolReceivesEachArgumentIntact)
{
    // Names a POSIX file system allows; Windows paths only ever need the blank.
    const std::string folder = kFolder + " Tools";
    const std::list<std::string> maps = {kMap1, "/m/with blank.img", "/m/quote\"d.img", "/m/back\\slash dir\\",
                                         "/m/tab\there.img"};
    const UploadSettings s = Upload(V2, Port::Auto, "COM1", 115200, "Topo\\");
    std::vector<std::string> expected = {folder + kPathSeparator + "SENDMAP20.EXE"};
    expected.insert(expected.end(), maps.begin(), maps.end());
    expected.insert(expected.end(), {"-m", "Topo\\"});
    EXPECT_EQ(SplitCommandLine(BuildUploadCommand(folder, "SENDMAP20.EXE", s, maps)), expected);
}

TEST(UploadCheck, RefusesWhatTheToolCannotReceive)
{
    struct Case { UploadSettings settings; std::list<std::string> maps; const char* wording; };
    const Case cases[] = {
        {Upload(V2, Port::Auto, "COM1", 115200), {}, "No map is ticked"},
        {Upload(V2, Port::Auto, "COM1", 115200, "Topo \"24\""), {kMap1}, "mapset name holds a double quote"},
        {Upload(V1, Port::Com, "COM1", 115200, "Topo \"24\""), {kMap1}, nullptr},   // not sent
        {Upload(V2, Port::Auto, "COM1", 115200), {kMap1, kMap2}, nullptr},
    };
    for (const Case& c : cases) {
        const auto message = CheckUploadCommand(kFolder, ToolName(c.settings.variant), c.settings, c.maps);
        if (c.wording)
            EXPECT_NE(message.value_or("").find(c.wording), std::string::npos) << message.value_or("(none)");
        else
            EXPECT_FALSE(message) << *message;
    }
}

TEST(UploadCheck, CountsTheMapsThatFitOnOneCommandLine)
{
    const UploadSettings s = Upload(V2, Port::Com, "COM2", 38400);
    std::list<std::string> maps;
    for (int i = 0; i < 3000; ++i)
        maps.push_back(kFolder + kPathSeparator + "maps" + kPathSeparator + "map" + std::to_string(i) + ".img");
    const auto message = CheckUploadCommand(kFolder, "SENDMAP20.EXE", s, maps);
    ASSERT_TRUE(message);

    // The largest leading part of the selection whose line, with its NUL, fits.
    const auto fits = [&](std::size_t count) {
        const std::list<std::string> part(maps.begin(), std::next(maps.begin(), static_cast<long>(count)));
        return CommandLineLength(BuildUploadCommand(kFolder, "SENDMAP20.EXE", s, part)) < kMaxCommandLine;
    };
    std::size_t low = 1, high = maps.size();   // fits(low), !fits(high)
    while (high - low > 1) {
        const std::size_t middle = (low + high) / 2;
        (fits(middle) ? low : high) = middle;
    }
    const std::list<std::string> fitting(maps.begin(), std::next(maps.begin(), static_cast<long>(low)));
    EXPECT_FALSE(CheckUploadCommand(kFolder, "SENDMAP20.EXE", s, fitting));
    EXPECT_NE(message->find("3000 ticked maps"), std::string::npos) << *message;
    EXPECT_NE(message->find("only the first " + std::to_string(fitting.size()) + " of them fit"), std::string::npos)
        << *message;
}

TEST(UploadCheck, LimitCountsCharactersWithTheTerminatingNul)
{
    const UploadSettings s = Upload(V2, Port::Auto, "COM1", 115200);
    const std::string head = kFolder + kPathSeparator + "SENDMAP20.EXE ";
    // "€" is three bytes but one character, as Windows counts.
    const std::string longest = "/" + std::string(kMaxCommandLine - 1 - head.size() - 6, 'x') + "€.img";
    ASSERT_EQ(CommandLineLength(BuildUploadCommand(kFolder, "SENDMAP20.EXE", s, {longest})), kMaxCommandLine - 1);
    EXPECT_FALSE(CheckUploadCommand(kFolder, "SENDMAP20.EXE", s, {longest}));
    const auto message = CheckUploadCommand(kFolder, "SENDMAP20.EXE", s, {longest + "x"});
    ASSERT_TRUE(message);
    EXPECT_NE(message->find("even with one map"), std::string::npos) << *message;
}

// Select All ticks every map; some go before it (their short path is then
// empty), some after it.
TEST(TickedMaps, GoneOnesAreNamedAndNeverSent)
{
    struct Case { std::string maps, goneBefore, goneAfter, message, sent; };
    const Case cases[] = {
        {"abc", "", "b",
         "This ticked map has been deleted, moved or renamed since it was loaded:\n{folder}\\b.img\n"
         "Send the other 2 maps without it?", "ac"},
        {"abc", "a", "c",
         "These 2 ticked maps have been deleted, moved or renamed since they were loaded:\n{folder}\\a.img\n"
         "{folder}\\c.img\nSend the other map without them?", "b"},
        {"abcdefg", "a", "bcdefg",
         "The ticked maps have been deleted, moved or renamed since they were loaded, so there is nothing to send:"
         "\n{folder}\\a.img\n{folder}\\b.img\n{folder}\\c.img\n{folder}\\d.img\n{folder}\\e.img\nand 2 more", ""},
    };
    for (const Case& c : cases) {
        testing::TempDir dir;
        const auto path = [&](char map) { return dir.folder() + map + ".img"; };
        std::vector<MapRow> rows;
        for (const char map : c.maps) {
            testing::WriteImg(PathFromUtf8(path(map)), "M", "");
            rows.push_back({RowState::Unticked, std::string(1, map) + ".img", dir.folder(), "M", 131});
        }
        MapList list;
        list.AppendRows(std::move(rows));
        std::list<std::string> sent;
        for (const char map : c.sent)
            sent.push_back(GetShortFileName(path(map)));
        for (const char map : c.goneBefore)
            std::filesystem::remove(PathFromUtf8(path(map)));
        list.SelectAll();
        for (const char map : c.goneAfter)
            std::filesystem::remove(PathFromUtf8(path(map)));

        const TickedMaps ticked = SortTickedMaps(list);

        EXPECT_EQ(GoneMapsMessage(ticked).value_or(""), Expand(c.message, Utf8FromPath(dir.path())));
        EXPECT_EQ(ticked.present, sent) << c.maps << " less " << c.goneBefore << c.goneAfter;
    }
}

} // namespace
} // namespace mapwren
