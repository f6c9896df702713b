// Upload, Create File and Erase: the command line the upload tool (the
// stand-in) receives, the messages, and what is refused.
#include <gtest/gtest.h>

#include <sstream>

#include "app/FormFixture.h"

namespace mapwren::testing {
namespace {

const std::vector<MapSpec> kMaps = {{"a.img", "Alpha", 300}, {"b.img", "Beta", 400}, {"c.img", "Gamma", 500}};

// The pieces of a command line holding no blank inside quotes, past the program.
Texts ArgumentsOf(const std::string& commandLine)
{
    std::istringstream in(commandLine);
    Texts words;
    for (std::string word; in >> word; words.push_back(word))
        std::erase(word, '"');
    return Texts(words.begin() + 1, words.end());
}

void Replace(std::string& text, const std::string& from, const std::string& to)
{
    if (const auto at = text.find(from); at != std::string::npos)
        text.replace(at, from.size(), to);
}

void ChoosePort(Form& f, const std::string& port)
{
    f.w->Click(port == "Auto" ? "optAuto" : port == "USB" ? "optUSB" : "optCOM");
    if (port.starts_with("COM"))
        f.w->TextChanged("cboCOM", port);
}

void TypeMapset(Form& f, const std::string& name)
{
    if (!name.empty()) {
        f.w->Click("chkMapset");
        f.w->TextChanged("txtMapset", name);
    }
}

const char* const kCreated = "i Map File Created: Created Map file GMAPSUPP.IMG in the MAPWREN Folder     ";

TEST(FormUpload, TheToolReceivesTheSettingsAndTheTickedMaps)
{
    // The variant, the mapset name (empty: unticked), Create File ticked, the speed, the port, the rows pressed in
    // order, and the command line: {map1} is the map ticked first.
    const struct { int variant; const char* mapset; bool createFile; const char* speed; const char* port; const char* ticks; const char* expected; } cases[] = {
        {1, "", false, "opt9600", "COM3", "31", "{tool} COM3 -s9600 {map1} {map2}"},
        {1, "", false, "opt115200", "COM1", "2", "{tool} COM1 -s115200 {map1}"},
        {2, "", false, "opt19200", "Auto", "1", "{tool} -s19200 {map1}"},
        {2, "", false, "opt115200", "Auto", "1", "{tool} {map1}"},
        {2, "", false, "opt38400", "COM2", "12", "{tool} -tCOM2 -s38400 {map1} {map2}"},
        {2, "", false, "opt57600", "USB", "3", "{tool} -tUSB {map1}"},
        {2, "", true, "opt115200", "Auto", "1", "{tool} -l {map1}"},
        {2, "Topo", false, "opt57600", "COM1", "2", "{tool} -tCOM1 -s57600 {map1} -m \"Topo\""},
        {1, "Topo", true, "opt9600", "COM4", "2", "{tool} COM4 -s9600 {map1}"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        Form f;
        f.WriteMaps(kMaps);
        f.LoadFolder();
        TypeMapset(f, c.mapset);
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
        Replace(expected, "{tool}", f.Tool(c.variant == 2 ? "sendmap20.exe" : "sendmap.exe"));
        const char* button = f.w->cmdCreateFile.visible ? "cmdCreateFile" : "cmdUpload";
        ASSERT_TRUE(f.w->Control(button)->enabled);
        f.w->Click(button);
        EXPECT_EQ(f.w->UploadCommand, expected);
        EXPECT_EQ(ReceivedArguments(f.Program()), ArgumentsOf(expected));
        EXPECT_EQ(f.Only(), c.variant == 2 && c.createFile ? kCreated : "0 messages");
        // Nothing else changes, and the button can be pressed again.
        EXPECT_EQ(f.w->Maps().SelectedCount(), int(std::string(c.ticks).size()));
        EXPECT_TRUE(f.w->Control(button)->enabled);
    }
}

TEST(FormUpload, AnUploadThatCannotStartSaysWhyAndStartsNothing)
{
    const struct { const char* mapset; bool missingOnly, toolGone, createFile; const char* says; } cases[] = {
        {"", true, false, false, "! MAPWREN: No map is ticked"},
        {"To\"po", false, false, false, "double quote"},
        {"", false, true, false, "C MAPWREN: The upload tool {tool}"},   // no "Map File Created" either
        {"", false, true, true, "C MAPWREN: The upload tool {tool}"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        Form f;
        if (c.missingOnly) {
            f.LoadList("gone.mwl", "mapwren Auto\r\n" + f.MapsText() + "gone.img\r\n");
        } else {
            f.WriteMaps(kMaps);
            f.LoadFolder();
        }
        TypeMapset(f, c.mapset);
        if (c.createFile)
            f.w->Click("chkCreateFile");
        f.w->Click("cmdSelectAll");
        if (c.toolGone)
            fs::remove(f.Program() / "sendmap20.exe");
        f.w->Click(c.createFile ? "cmdCreateFile" : "cmdUpload");
        std::string says = c.says;
        Replace(says, "{tool}", f.Tool("sendmap20.exe"));
        EXPECT_TRUE(Contains(f.Only(), says)) << f.Only();
        EXPECT_TRUE(NothingStarted(f.Program()));
    }
}

// a.img goes before Select All, the others after it.
TEST(FormUpload, TickedMapsGoneSinceLoadingAreNamedAndNeverSent)
{
    const struct { const char* gone; bool yes; const char* shown; bool sent; } cases[] = {
        {"ac", true, "? MAPWREN: ", true}, {"ac", false, "? MAPWREN: ", false}, {"abc", true, "! MAPWREN: ", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.gone) + (c.yes ? " Yes" : " No"));
        Form f;
        f.WriteMaps(kMaps);
        f.LoadFolder();
        fs::remove(f.Maps() / "a.img");
        f.w->Click("cmdSelectAll");
        for (const char* map = c.gone + 1; *map; ++map)
            fs::remove(f.Maps() / (*map + std::string(".img")));
        f.desktop.answerYes = c.yes;
        f.w->Click("cmdUpload");
        EXPECT_TRUE(f.Only().starts_with(c.shown)) << f.Only();   // all gone: nothing to ask
        for (const char* map = c.gone; *map; ++map)
            EXPECT_TRUE(Contains(f.Only(), f.MapsText() + *map + ".img")) << f.Only();
        if (c.sent)
            EXPECT_EQ(ReceivedArguments(f.Program()), Texts{MapArg(f, "b.img")});
        else
            EXPECT_TRUE(NothingStarted(f.Program()));
    }
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
    const struct { int variant; const char* port; Texts received; } cases[] = {
        {2, "Auto", {"-e"}}, {2, "COM1", {"-tCOM1", "-e"}}, {2, "USB", {"-tUSB", "-e"}}, {1, "COM4", {"COM4", "-e"}}};
    for (const auto& c : cases) {
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
        EXPECT_EQ(Question(*f.w) + " " + f.Only() + f.Enabled({"cmdEraseGPS"}), "000 00 0 messages1");
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
    fs::remove(f.Program() / "sendmap20.exe");
    f.w->Click("optSureYes");
    EXPECT_TRUE(f.Only().starts_with("C MAPWREN: The upload tool " + f.Tool("sendmap20.exe"))) << f.Only();
    EXPECT_EQ(Question(*f.w), "000 00");
}

} // namespace
} // namespace mapwren::testing
