// Upload, Create File and Erase: the command line the upload tool (the
// stand-in) receives, the messages, and what is refused.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

#include "app/FormFixture.h"

namespace mapwren::testing {
namespace {

const std::vector<MapSpec> kMaps = {{"a.img", "Alpha", 300}, {"b.img", "Beta", 400}, {"c.img", "Gamma", 500}};

// The pieces of a command line holding no blank inside quotes, past the program.
std::vector<std::string> ArgumentsOf(const std::string& commandLine)
{
    std::istringstream in(commandLine);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        std::erase(word, '"');
        words.push_back(word);
    }
    words.erase(words.begin());
    return words;
}

void Replace(std::string& text, const std::string& from, const std::string& to)
{
    if (const auto at = text.find(from); at != std::string::npos)
        text.replace(at, from.size(), to);
}

void ChoosePort(Form& f, const std::string& port)
{
    if (port == "Auto" || port == "USB") {
        f.w->Click(port == "Auto" ? "optAuto" : "optUSB");
    } else {
        f.w->Click("optCOM");
        f.w->TextChanged("cboCOM", port);
    }
}

TEST(FormUpload, TheToolReceivesTheSettingsAndTheTickedMaps)
{
    struct Case {
        int variant;
        const char* mapset;   // empty: the box stays unticked
        bool createFile;
        const char* speed;
        const char* port;
        const char* ticks;      // rows pressed, in order
        const char* expected;   // {map1} is the map ticked first
    };
    const Case cases[] = {
        {1, "", false, "opt9600", "COM3", "31", "{tool} COM3 -s9600 {map1} {map2}"},
        {1, "", false, "opt115200", "COM1", "2", "{tool} COM1 -s115200 {map1}"},
        {2, "", false, "opt19200", "Auto", "1", "{tool} -s19200 {map1}"},
        {2, "", false, "opt115200", "Auto", "1", "{tool} {map1}"},
        {2, "", false, "opt38400", "COM2", "12", "{tool} -tCOM2 -s38400 {map1} {map2}"},
        {2, "", false, "opt57600", "USB", "3", "{tool} -tUSB {map1}"},
        {2, "", true, "opt115200", "Auto", "1", "{tool} -l {map1}"},
        {2, "Topo", false, "opt57600", "COM1", "2", "{tool} -tCOM1 -s57600 {map1} -m \"Topo\""},
        {1, "Topo", true, "opt9600", "COM4", "2", "{tool} COM4 -s9600 {map1}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        Form f;
        f.WriteMaps(kMaps);
        f.LoadFolder();
        if (*c.mapset) {
            f.w->Click("chkMapset");
            f.w->TextChanged("txtMapset", c.mapset);
        }
        if (c.createFile)
            f.w->Click("chkCreateFile");
        f.w->Click(c.speed);
        if (c.variant == 1)
            f.w->MenuClick("mnuUseSendmap1");
        ChoosePort(f, c.port);
        std::string expected = c.expected;
        for (int i = 0; c.ticks[i]; ++i) {
            f.Press(c.ticks[i] - '0', 0);
            Replace(expected, "{map" + std::to_string(i + 1) + "}", MapArg(f, std::string(1, c.ticks[i] - '1' + 'a') + ".img"));
        }
        Replace(expected, "{tool}", f.ProgramText() + kPathSeparator + (c.variant == 2 ? "sendmap20.exe" : "sendmap.exe"));
        const char* button = f.w->cmdCreateFile.visible ? "cmdCreateFile" : "cmdUpload";
        ASSERT_TRUE(f.w->Control(button)->enabled);
        f.w->Click(button);
        EXPECT_EQ(f.w->UploadCommand, expected);
        EXPECT_EQ(ReceivedArguments(f.Program()), ArgumentsOf(expected));
        if (c.variant == 2 && c.createFile) {
            ASSERT_EQ(f.desktop.messages.size(), 1u);
            EXPECT_EQ(f.desktop.messages[0].icon, MessageIcon::Information);
            EXPECT_EQ(f.desktop.messages[0].title, "Map File Created");
            EXPECT_EQ(f.desktop.messages[0].text, "Created Map file GMAPSUPP.IMG in the MAPWREN Folder     ");
        } else {
            EXPECT_TRUE(f.desktop.messages.empty());
        }
        // Nothing else changes, and the button can be pressed again.
        EXPECT_EQ(f.w->Maps().SelectedCount(), int(std::strlen(c.ticks)));
        EXPECT_TRUE(f.w->Control(button)->enabled);
    }
}

TEST(FormUpload, AnUploadThatCannotStartSaysWhyAndStartsNothing)
{
    struct Case {
        const char* name;
        const char* mapset;
        bool missingOnly;
        const char* says;
        MessageIcon icon;
    };
    const Case cases[] = {
        {"no map ticked", "", true, "No map is ticked", MessageIcon::Exclamation},
        {"double quote in the mapset name", "To\"po", false, "double quote", MessageIcon::Exclamation},
        {"tool gone", "", false, "sendmap20.exe", MessageIcon::Critical},
        {"tool gone, create file", "", false, "sendmap20.exe", MessageIcon::Critical},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form f;
        if (c.missingOnly) {
            WriteBytes(f.Maps() / "gone.mwl", "mapwren Auto\r\n" + f.MapsText() + "gone.img\r\n");
            f.LoadList(f.Maps() / "gone.mwl");
        } else {
            f.WriteMaps(kMaps);
            f.LoadFolder();
        }
        if (*c.mapset) {
            f.w->Click("chkMapset");
            f.w->TextChanged("txtMapset", c.mapset);
        }
        const bool createFile = std::string(c.name).ends_with("create file");
        if (createFile)
            f.w->Click("chkCreateFile");
        f.w->Click("cmdSelectAll");
        if (c.icon == MessageIcon::Critical)
            fs::remove(f.Program() / "sendmap20.exe");
        f.w->Click(createFile ? "cmdCreateFile" : "cmdUpload");
        ASSERT_EQ(f.desktop.messages.size(), 1u);   // no "Map File Created" either
        EXPECT_EQ(f.desktop.messages[0].icon, c.icon);
        EXPECT_EQ(f.desktop.messages[0].title, "MAPWREN");
        EXPECT_NE(f.desktop.messages[0].text.find(c.says), std::string::npos) << f.desktop.messages[0].text;
        EXPECT_TRUE(NothingStarted(f.Program()));
    }
}

// a.img goes before Select All, the others after it.
TEST(FormUpload, TickedMapsGoneSinceLoadingAreNamedAndNeverSent)
{
    struct Case {
        const char* gone;
        bool answerYes;
        const char* sent;
    };
    const Case cases[] = {{"ac", true, "b"}, {"ac", false, ""}, {"abc", true, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.gone) + (c.answerYes ? " Yes" : " No"));
        Form f;
        f.WriteMaps(kMaps);
        f.LoadFolder();
        const auto path = [&](char map) { return f.MapsText() + map + ".img"; };
        fs::remove(PathFromUtf8(path('a')));
        f.w->Click("cmdSelectAll");
        for (const char* map = c.gone + 1; *map; ++map)
            fs::remove(PathFromUtf8(path(*map)));
        f.desktop.answerYes = c.answerYes;
        f.w->Click("cmdUpload");
        const bool all = std::strlen(c.gone) == 3;
        // All gone: nothing to ask, only a warning.
        const auto& shown = all ? f.desktop.messages : f.desktop.questions;
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ((all ? f.desktop.questions : f.desktop.messages).size(), 0u);
        EXPECT_EQ(shown[0].title, "MAPWREN");
        for (const char* map = c.gone; *map; ++map)
            EXPECT_NE(shown[0].text.find(path(*map)), std::string::npos) << shown[0].text;
        if (*c.sent)
            EXPECT_EQ(ReceivedArguments(f.Program()), std::vector<std::string>{MapArg(f, "b.img")});
        else
            EXPECT_TRUE(NothingStarted(f.Program()));
    }
}

// Every path as long as a file name may be, so few maps fill the longest
// command line Windows starts.
TEST(FormUpload, TooManyMapsForOneCommandLineAreRefusedWithTheCountThatFits)
{
    Form f;
    std::vector<MapSpec> maps;
    for (int i = 0; i < 160; ++i)
        maps.push_back({std::to_string(100 + i) + std::string(240, 'x') + ".img", "Long", 200});
    f.WriteMaps(maps);
    f.LoadFolder();
    f.w->Click("cmdSelectAll");
    std::size_t length = (f.ProgramText() + "/sendmap20.exe").size();
    int fitting = 0;
    for (const std::string& map : f.w->Maps().SelectedFiles()) {
        length += 1 + map.size();
        if (length >= 32767)
            break;
        ++fitting;
    }
    ASSERT_TRUE(fitting > 0 && fitting < 160);
    f.w->Click("cmdUpload");
    ASSERT_EQ(f.desktop.messages.size(), 1u);
    const std::string& text = f.desktop.messages[0].text;
    EXPECT_NE(text.find("160 ticked maps"), std::string::npos) << text;
    EXPECT_NE(text.find("first " + std::to_string(fitting) + " "), std::string::npos) << text;
    EXPECT_TRUE(NothingStarted(f.Program()));
}

// The question's label, Yes and No shown, then Yes and No selected.
std::string Question(const frmMain& w)
{
    std::string states;
    for (const ControlState* c : {&w.lblAreYouSure, &w.optSureYes, &w.optSureNo})
        states += c->visible ? '1' : '0';
    return states + " " + std::to_string(w.optSureYes.value) + std::to_string(w.optSureNo.value);
}

TEST(FormErase, YesErasesThroughTheToolAndClosesTheQuestion)
{
    struct Case {
        int variant;
        const char* port;
        std::vector<std::string> received;
    };
    const Case cases[] = {{2, "Auto", {"-e"}},
                          {2, "COM1", {"-tCOM1", "-e"}},
                          {2, "USB", {"-tUSB", "-e"}},
                          {1, "COM4", {"COM4", "-e"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        Form f;
        if (c.variant == 1)
            f.w->MenuClick("mnuUseSendmap1");
        ChoosePort(f, c.port);
        EXPECT_EQ(Question(*f.w), "000 00");
        f.w->Click("cmdEraseGPS");
        f.w->Click("cmdEraseGPS");
        EXPECT_EQ(Question(*f.w), "111 00");
        EXPECT_TRUE(NothingStarted(f.Program()));
        f.w->Click("optSureYes");
        EXPECT_EQ(ReceivedArguments(f.Program()), c.received);
        EXPECT_EQ(Question(*f.w), "000 00");
        EXPECT_TRUE(f.desktop.messages.empty());
        EXPECT_TRUE(f.w->cmdEraseGPS.enabled);
    }
}

TEST(FormErase, NoClosesTheQuestionAndAGoneToolIsNamed)
{
    Form f;
    f.w->Click("cmdEraseGPS");
    f.w->Click("optSureNo");
    EXPECT_EQ(Question(*f.w), "000 00");
    f.w->Click("cmdEraseGPS");
    EXPECT_EQ(Question(*f.w), "111 00");
    EXPECT_TRUE(NothingStarted(f.Program()));

    const std::string tool = f.ProgramText() + kPathSeparator + "sendmap20.exe";
    fs::remove(PathFromUtf8(tool));
    f.w->Click("optSureYes");
    ASSERT_EQ(f.desktop.messages.size(), 1u);
    EXPECT_EQ(f.desktop.messages[0].icon, MessageIcon::Critical);
    EXPECT_NE(f.desktop.messages[0].text.find(tool), std::string::npos) << f.desktop.messages[0].text;
    EXPECT_EQ(Question(*f.w), "000 00");
}

} // namespace
} // namespace mapwren::testing
