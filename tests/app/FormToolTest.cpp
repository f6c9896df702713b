// What the upload tool (the stand-in) receives from Upload, Create File and Erase, and what is refused.
#include "app/FormFixture.h"

#ifndef _WIN32
#include <csignal>
#include <cstdlib>
#include <thread>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace mapwren::testing {
namespace {

const std::string kCreated = "i Map File Created: Created Map file GMAPSUPP.IMG in the MAPWREN Folder     ";

TEST(FormUpload, TheToolReceivesTheSettingsAndTheTickedMaps)
{
    // Steps after loading the three maps (rows 1-3: a, b, c), ticking last; the command line.
    const struct { const char* steps; const char* line; } cases[] = {
        {"opt9600 mnuUseSendmap1 optCOM cboCOM=COM3 p3,0 p1,0", "{tool} {COM3} -s9600 {c} {a}"},
        {"mnuUseSendmap1 optCOM p2,0", "{tool} {COM1} -s115200 {b}"}, {"opt19200 p1,0", "{tool20} -s19200 {a}"},
        {"opt115200 optAuto p1,0", "{tool20} {a}"}, {"opt38400 optCOM cboCOM=COM2 p1,0 p2,0", "{tool20} -t{COM2} -s38400 {a} {b}"},
        {"opt57600 optUSB p3,0", "{tool20} -tUSB {c}"}, {"chkCreateFile p1,0", "{tool20} -l {a}"},
        {"chkMapset txtMapset=Topo opt57600 optCOM p2,0", "{tool20} -t{COM1} -s57600 {b} -m \"Topo\""},
        {"chkMapset txtMapset=Topo chkCreateFile opt9600 mnuUseSendmap1 optCOM cboCOM=COM4 p2,0", "{tool} {COM4} -s9600 {b}"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        Form f;
        f.Run(std::string("maps load ") + c.steps);
        const std::string line = f.Expand(c.line);
        const char* button = f.w->cmdCreateFile.visible ? "cmdCreateFile" : "cmdUpload";
        ASSERT_TRUE(f.w->Control(button)->enabled);
        f.w->Click(button);
        EXPECT_EQ(f.w->UploadCommand, line);
        std::string arguments = line.substr(line.find(' ') + 1);   // no quoted blanks: the arguments are the words, quotes gone
        std::erase(arguments, '"');
        std::ranges::replace(arguments, ' ', '|');
        EXPECT_EQ(f.Sent(), arguments);
        EXPECT_EQ(f.Only(), "0 messages");   // until the tool has ended
        EXPECT_TRUE(f.desktop.RunPosted());
        EXPECT_EQ(f.Only(), Contains(line, " -l ") ? kCreated : "0 messages");
        // Nothing else changes, and the button can be pressed again.
        EXPECT_EQ(std::to_string(f.w->Maps().SelectedCount()) + " " + f.Enabled({button}),
                  std::to_string(std::ranges::count(std::string_view(c.steps), ',')) + " " + (button + 3));
    }
}

// The Upload button's tooltip after each step: a ten-megabyte map (row 1), a 100-kilobyte one (row 2) and a tiny one.
TEST(FormUpload, TheUploadButtonSaysAboutHowLongTheTickedMapsTakeAtTheChosenSpeed)
{
    const std::string tenMB = " for the ticked map (10.0 MB) at ", both = " for the 2 ticked maps (10.1 MB) at ";
    const struct { const char* steps; std::string tip; } steps[] = {
        {"p1,0", "No time is estimated with Auto: the tool may find the receiver on USB, whose speed depends on the receiver."},
        {"optUSB", "No time is estimated for USB: its speed depends on the receiver."},
        {"optCOM", "About 20 minutes" + tenMB + "115200 baud on COM1."},
        {"opt9600", "About 4 hours" + tenMB + "9600 baud on COM1."},   // a tenth of the baud, three quarters of it reached
        {"p2,0", "About 4 hours 10 minutes" + both + "9600 baud on COM1."},
        {"opt57600 cboCOM=COM3", "About 41 minutes" + both + "57600 baud on COM3."}, {"chkCreateFile", ""},
        {"chkCreateFile p1,0 p2,0 p3,0", "Less than a minute for the ticked map (0.0 MB) at 57600 baud on COM3."},
        {"cmdSelectAll mnuUseSendmap1 optCOM", "About 41 minutes for the 3 ticked maps (10.1 MB) at 57600 baud on COM3."},
        {"cmdSelectNone", ""}};
    Form f;
    f.WriteMaps({{"a.img", "Ten", 10485760}, {"b.img", "Hundred", 102400}, {"c.img", "Tiny", 300}});
    f.Run("load");
    for (const auto& s : steps) {
        f.Run(s.steps);
        EXPECT_EQ(f.w->cmdUpload.toolTip + "|" + f.w->cmdCreateFile.toolTip, s.tip + "|") << s.steps;
    }
}

// Whether the erase question shows (its label, Yes and No all, or some) and the answer selected.
std::string Question(const frmMain& w)
{
    const int shown = w.lblAreYouSure.visible + w.optSureYes.visible + w.optSureNo.visible;
    const std::string answer = std::string(w.optSureYes.value ? "Yes" : "") + (w.optSureNo.value ? "No" : "");
    return std::string("question=") + (shown == 3 ? "shown" : shown == 0 ? "hidden" : "partly-shown") +
           " answer=" + (answer.empty() ? "none" : answer);
}

TEST(FormUpload, AnUploadThatCannotStartSaysWhyAndStartsNothing)
{
    const struct { const char* steps; const char* says; } cases[] = {   // a list's missing map, then the steps
        {"cmdSelectAll cmdUpload", "! MAPWREN: No map is ticked"},
        {"load chkMapset txtMapset=To\"po cmdSelectAll cmdUpload", "double quote"},
        {"-sendmap20.exe load cmdSelectAll cmdUpload", "C MAPWREN: The upload tool {tool20}"},   // no "Map File Created" either
        {"-sendmap20.exe load chkCreateFile cmdSelectAll cmdCreateFile", "C MAPWREN: The upload tool {tool20}"},
        {"-sendmap20.exe cmdEraseGPS optSureYes", "C MAPWREN: The upload tool {tool20}"}};   // the question closed too
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        Form f;
        f.LoadList("l.mwl", "mapwren Auto\r\n" + f.MapsText() + "gone.img\r\n");
        f.desktop.messages.clear();
        f.Run(std::string("maps ") + c.steps);
        EXPECT_TRUE(Contains(f.Only(), f.Expand(c.says))) << f.Only();
        EXPECT_EQ(f.Sent() + " " + Question(*f.w), "nothing question=hidden answer=none");
    }
}

TEST(FormUpload, TickedMapsGoneSinceLoadingAndFilesThatAreNotMapsAreNamedAndNeverSent)
{
    // Steps after loading, the files named, what is sent, the message's start. p.img: a photo named as a map, loaded
    // greyed and ticked by Select All. Nothing left to send: nothing to ask.
    const struct { const char* steps; const char* named; const char* sent; const char* shown = "? MAPWREN: "; } cases[] = {
        {"-a.img cmdSelectAll -c.img yes", "ac", "{b}"}, {"-a.img cmdSelectAll -c.img no", "ac", "nothing"},
        {"cmdSelectAll yes", "p", "{a}|{b}|{c}"}, {"cmdSelectAll no", "p", "nothing"},
        {"-a.img cmdSelectAll -b.img -c.img", "abc", "nothing", "! MAPWREN: "}, {"-a.img cmdSelectAll -b.img -c.img", "abcp", "nothing", "! MAPWREN: "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        Form f;
        if (Contains(c.named, "p"))
            WriteBytes(f.Maps() / "p.img", "\xFF\xD8\xFF\xE0 a photo");
        f.Run("maps load");
        f.desktop.messages.clear();
        f.Run(c.steps + std::string(" cmdUpload"));
        EXPECT_TRUE(f.Only().starts_with(c.shown)) << f.Only();
        for (const char* map = c.named; *map; ++map)
            EXPECT_TRUE(Contains(f.Only(), f.MapsText() + *map + ".img")) << f.Only();
        EXPECT_EQ(f.Sent(), f.Expand(c.sent));
    }
}

// On Windows the tool reads its command line in the ANSI code page (1252 in the tests' Wine), where Cyrillic lacks;
// a Linux tool reads the bytes as they are.
TEST(FormUpload, TextTheToolCannotReadIsNamedBeforeItStarts)
{
    const std::string name = "\xC3\x96sterreich " + kCyrillic, lacks = " characters the system's code page lacks";
    const std::string unreadable = "The upload tool cannot read the path of this ticked map, as it holds" + lacks +
                                   " and the drive gives the map no short name:\n{k}\n";
    const std::string ask = "? MAPWREN: " + unreadable + "Send the other map without it?";
    // The maps in grid order, whether their drive makes short names, a mapset typed, the answer; on Windows what is
    // shown and which maps are sent.
    const struct { const char* maps; bool shortNames, mapset, yes; std::string shown; const char* sent; } cases[] = {
        {"b", true, true, true, "! MAPWREN: The mapset name {name} holds characters that would reach the upload tool as \"?\", "
                                "as the system's code page lacks them: \xD0\x9A \xD0\xB0 \xD1\x80 \xD1\x82 \xD1\x8B. Remove them "
                                "from the name and try again.", ""},
        {"bk", false, false, true, ask, "b"}, {"bk", false, false, false, ask, ""},
        {"k", false, true, true, "! MAPWREN: " + unreadable + "No other map is ticked, so there is nothing to send.", ""},
        {"bk", true, false, true, "0 messages", "bk"}};   // the system drive, and Wine's every drive, make short names
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.maps) + (c.yes ? " Yes" : " No"));
        const NoShortNames none;
        Form f({"sendmap20.exe"}, false);
        f.shortNames = c.shortNames ? &ShortNameSource::System() : &none;
        f.Start();
        f.DropLetterMaps(c.maps);
        if (c.mapset)
            f.Run("chkMapset"), f.w->TextChanged("txtMapset", name);
        f.desktop.answerYes = c.yes;
        f.Run("cmdSelectAll cmdUpload");
#ifdef _WIN32
        const std::string shown = c.shown, sent = c.sent;
#else
        const std::string shown = "0 messages", sent = c.maps;
#endif
        EXPECT_EQ(f.Only(), Replaced(Replaced(shown, "{k}", f.LetterMap('k')), "{name}", name));
        std::string expected = sent.empty() ? "nothing" : "";
        for (const char map : sent)
            expected += (expected.empty() ? "" : "|") + f.shortNames->Of(f.LetterMap(map));
        EXPECT_EQ(f.Sent(), expected + (c.mapset && !sent.empty() ? "|-m|" + name : ""));
    }
}

TEST(FormUpload, MapsSharingAFileNameAndAFileTooBigForFat32AreAskedAbout)
{
    // From a list: rows a.img (2 GiB), sub/A.IMG and b.img; b's size, the steps, the answer, the questions asked.
    const std::uintmax_t half = 2147483648;
    const struct { std::uintmax_t b; const char* steps; bool yes; const char* asked; } cases[] = {
        {half, "p1,0 p3,0 chkCreateFile cmdCreateFile", false, "{size}"}, {half - 1, "p1,0 p3,0 chkCreateFile cmdCreateFile", true, ""},
        {half, "p1,0 p3,0 cmdUpload", true, ""}, {1, "p2,0 p1,0 cmdUpload", false, "{clash}"},
        {half, "cmdSelectAll chkCreateFile cmdCreateFile", true, "{clash}{size}"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        Form f;
        fs::create_directory(f.Maps() / "sub");
        f.WriteMaps({{"a.img", "A", half}, {"b.img", "B", c.b}, {"sub/A.IMG", "A", 0}});
        const std::string m = f.MapsText(), clash = m + "a.img\n" + m + "sub" + kPathSeparator + "A.IMG";
        f.LoadList("l.mwl", "mapwren Auto\n" + clash + "\n" + m + "b.img");
        f.desktop.answerYes = c.yes;
        f.Run(c.steps);
        std::erase_if(f.desktop.messages, [](const std::string& message) { return message[0] != '?'; });
        EXPECT_EQ(Form::Join(f.desktop.messages.size(), [&](std::size_t i) { return f.desktop.messages[i]; }),
                  Replaced(Replaced(c.asked, "{clash}", "? MAPWREN: These ticked maps share a file name, and a receiver keeps only one map "
                                                        "of each name:\n" + clash + "\nGo on all the same?"),
                           "{size}", "? MAPWREN: The ticked maps come to 4.0 GB, so GMAPSUPP.IMG will be larger than a FAT32 memory "
                                     "card can hold (no file of 4 GB or more).\nCreate it all the same?"));
        EXPECT_TRUE(c.yes ? !ReceivedArguments(f.Program()).empty() : NothingStarted(f, f.Program()));
    }
}

TEST(FormUpload, CreateFileTellsOfGmapsuppOnlyOnceTheToolEndedHavingWrittenIt)
{
    // What the stand-in is told to do, whether an older GMAPSUPP.IMG lies there, whether it is said to be created.
    const struct { const char* tool; bool older, created; } cases[] = {{"tool=", true, true}, {"tool=fail", false, false}, {"tool=fail", true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.tool) + (c.older ? " older" : ""));
        Form f;
        if (c.older)
            WriteBytes(f.Program() / "GMAPSUPP.IMG", "an older stand-in GMAPSUPP.IMG\n");
        f.Run(c.tool + std::string(" maps load p1,0 chkCreateFile cmdCreateFile"));
        EXPECT_EQ(f.Sent() + " " + f.Only(), f.Expand("-l|{a} 0 messages"));
        EXPECT_TRUE(f.desktop.RunPosted());
        EXPECT_EQ(f.Only(), c.created ? kCreated : "! MAPWREN: The upload tool ended without creating GMAPSUPP.IMG in the "
                                                   "MAPWREN Folder. Its window tells why.");
    }
}

TEST(FormUpload, APressWhileTheToolStillRunsAsksFirst)
{
    Form f;
    f.Run("tool=hold maps load p1,0 cmdUpload no cmdUpload cmdEraseGPS optSureYes");
    EXPECT_EQ(f.desktop.messages, Texts(2, "? MAPWREN: The upload tool is still running from an earlier press; its "
                                           "window shows how far it is. Start it once more anyway?"));
    WriteBytes(f.Program() / "sendmap-release", "");
    EXPECT_EQ(f.Sent(), f.MapArg("a.img"));
    EXPECT_TRUE(f.desktop.RunPosted());
    f.Run("cmdUpload");   // the run is over: nothing to ask
    EXPECT_EQ(f.Sent() + " " + std::to_string(f.desktop.messages.size()), f.MapArg("a.img") + " 2");
}

TEST(FormErase, YesErasesThroughTheToolNoDoesNotAndBothCloseTheQuestion)
{
    const struct { const char* steps; const char* received; } cases[] = {
        {"optAuto", "-e"}, {"optCOM", "-t{COM1}|-e"}, {"optUSB", "-tUSB|-e"}, {"mnuUseSendmap1 optCOM cboCOM=COM4", "{COM4}|-e"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        Form f;
        f.Run(c.steps);
        std::string seen = "at first: " + Question(*f.w);
        f.Run("cmdEraseGPS optSureNo");
        seen += "; No: " + Question(*f.w);
        f.Run("cmdEraseGPS cmdEraseGPS");
        seen += "; Erase twice: " + Question(*f.w) + " " + f.Sent();
        f.w->Click("optSureYes");
        EXPECT_EQ(f.Sent(), f.Expand(c.received));
        EXPECT_EQ(seen + "; Yes: " + Question(*f.w) + " " + f.Only() + " erase=" + f.Enabled({"cmdEraseGPS"}),
                  "at first: question=hidden answer=none; No: question=hidden answer=none; Erase twice: question=shown answer=none "
                  "nothing; Yes: question=hidden answer=none 0 messages erase=EraseGPS");
    }
}

#ifndef _WIN32

// Root reads and writes everywhere: act as "nobody" then, the folder given read-only meanwhile and the temporary
// folder above it searchable. False when that is impossible.
bool AsOrdinaryUser(const Form& f, const fs::path& readOnly, const auto& action)
{
    ::chmod(f.dir.path().c_str(), 0755);
    ::chmod(readOnly.c_str(), 0555);
    const bool root = ::geteuid() == 0, changed = !root || ::seteuid(65534) == 0;
    if (changed)
        action();
    ::chmod(readOnly.c_str(), 0755);
    return changed && (!root || ::seteuid(0) == 0);
}

struct Env {   // an environment variable as given while it lives, the stand-ins' programs on the PATH
    std::string name, old = (StandInSystemPrograms(), std::getenv(name.c_str()) ? std::getenv(name.c_str()) : "");
    Env(const char* variable, const std::string& value) : name(variable) { setenv(variable, value.c_str(), 1); }
    ~Env() { old.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), old.c_str(), 1); }
};

// A terminal first on the PATH. With no body, the stand-in, which records its arguments beside itself; else a script
// that does with the run script what `body` says, "$@" the script and its arguments, writing its process id to
// "terminal.pid" and, for a script it starts in the background, the script's to "script.pid", beside itself.
struct Terminal {
    TempDir dir;
    Env path{"PATH", dir.path().string() + ":" + (StandInSystemPrograms(), std::string(std::getenv("PATH")))};
    explicit Terminal(const std::string& body = "")
    {
        if (body.empty())
            CopyStandIn(dir.path(), "x-terminal-emulator");
        else
            WriteBytes(dir.path() / "x-terminal-emulator", "#!/bin/sh\nhere=$(dirname \"$0\")\necho $$ 2>/dev/null > \"$here/terminal.pid\"\n"
                       "while [ \"$1\" != -e ]; do shift; done\nshift\n" + body + "\n"),
                fs::permissions(dir.path() / "x-terminal-emulator", fs::perms::owner_all);
    }
    pid_t Pid(const char* file) const   // waiting up to ten seconds for the file
    {
        for (int wait = 0; wait < 500 && ReadBytes(dir.path() / file).empty(); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return std::stoi("0" + ReadBytes(dir.path() / file));
    }
};

// How many processes run the program file `file`, once that has become `count` (waiting up to ten seconds).
std::size_t Running(const fs::path& file, std::size_t count)
{
    std::size_t running = 0;
    for (int wait = 0; wait < 500; ++wait, std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
        running = 0;
        for (const auto& process : fs::directory_iterator("/proc")) {
            std::error_code ec;
            running += fs::read_symlink(process.path() / "exe", ec) == file;
        }
        if (running == count)
            break;
    }
    return running;
}

TEST(FormPosix, EveryWayARunEndsEndsItInTheFormAndLeavesNoToolRunning)
{
    const std::string ran = "\"$@\" </dev/null >/dev/null 2>&1", behind = ran + " & echo $! 2>/dev/null > \"$here/script.pid\"; wait",
                      notRun = "! MAPWREN: The upload tool did not run: its terminal window closed before the tool could start",
                      stopped = "! MAPWREN: The upload tool was stopped before it had ended, as its terminal window closed.";
    // What the terminal does, the steps, what is said, which process the test then kills (the tool held until then).
    const struct { std::string terminal; const char* steps; std::string said; const char* killed = ""; } cases[] = {
        {ran, "cmdUpload", "0 messages"}, {"exit 3", "cmdUpload", notRun + "."}, {"kill -9 $$", "cmdEraseGPS optSureYes", notRun + "."},
        {"exit 3", "chkCreateFile cmdCreateFile", notRun + ", so GMAPSUPP.IMG was not created."},
        {"exit 3", "mnuID", "! MAPWREN: The connection test did not run: its terminal window closed before the test could start."},
        {behind, "cmdUpload", stopped, "terminal.pid"}, {behind, "chkCreateFile cmdCreateFile", stopped, "script.pid"},
        {behind, "cmdEraseGPS optSureYes", stopped, "terminal.pid"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.terminal + " " + c.killed + " " + c.steps);
        Terminal terminal(c.terminal);
        Form f;
        f.Run(std::string(*c.killed ? "tool=hold" : "") + " maps load p1,0 " + c.steps);
        if (*c.killed) {
            ASSERT_EQ(Running(f.Program() / "sendmap20.exe", 1), 1u);
            ::kill(terminal.Pid(c.killed), SIGKILL);
        }
        EXPECT_TRUE(f.desktop.RunPosted());
        EXPECT_EQ(f.Only(), c.said);
        EXPECT_EQ(Running(f.Program() / "sendmap20.exe", 0), 0u);
        const fs::path gone = "/proc/" + std::to_string(terminal.Pid("terminal.pid"));   // reaped: no zombie stays
        for (int wait = 0; wait < 500 && fs::exists(gone); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        EXPECT_FALSE(fs::exists(gone));
        f.desktop.messages.clear();   // the run is over: a press starts the tool without asking
        f.Run("no cmdUpload");
        EXPECT_FALSE(f.Said().starts_with("?")) << f.Said();
    }
}

// The window closed before the script could start the tool: the tool never starts and no file of the run stays.
TEST(FormPosix, AToolNotStartedWhenTheWindowClosesNeverStarts)
{
    Terminal terminal("sleep 1; \"$@\" </dev/null >/dev/null 2>&1");
    TempDir temporary;
    Form f;
    {
        const Env tmp("TMPDIR", temporary.path().string());
        f.Run("maps load p1,0 cmdUpload");
        f.w.reset();
    }
    const pid_t pid = terminal.Pid("terminal.pid");
    int how = 0;
    ASSERT_EQ(::waitpid(pid, &how, 0), pid);
    EXPECT_TRUE(fs::is_empty(temporary.path()));
    EXPECT_FALSE(fs::exists(f.Program() / "sendmap-args.txt"));
}

// Enough maps that every core reads some: rows keep the order of the names, then of the list, each with its size.
TEST(FormPosix, UnreadableMapsAreNamedInOneMessageAPipeInAListIsMissingAndALineWithANulIsNamed)
{
    Form f;
    std::string expected = "! MAPWREN: These map files could not be read; their rows show no map name:", files, sizes;
    const std::string nul("m1000.img\0.img", 14);   // names no file, though the system would read "m1000.img"
    std::string listed = "pipe.img|", listedSizes = "0|";   // the line holding a NUL is no path: named, never a row
    std::string list = f.MapsText() + "pipe.img\r\n" + f.MapsText() + nul + "\r\n";
    for (int i = 0; i < 600; ++i) {
        const std::string file = (i % 2 ? "M" : "m") + std::to_string(1000 + i) + ".img", size = std::to_string(200 + i);
        f.WriteMaps({{file, "Map", 200u + i}});
        ::chmod((f.Maps() / file).c_str(), i % 100 == 7 ? 0 : 0644);
        expected += i % 100 == 7 && i < 500 ? "\n" + f.MapsText() + file : "";
        files += file + "|", sizes += size + "|", listed.insert(0, file + "|"), list.insert(0, f.MapsText() + file + "\r\n");
        listedSizes.insert(0, (i % 100 == 7 ? "0" : size) + "|");
    }
    ASSERT_EQ(::mkfifo((f.Maps() / "pipe.img").c_str(), 0644), 0);   // opened as it is, a read would wait for ever
    WriteBytes(f.Maps() / "l.mwl", "mapwren\r\n" + list);
    ASSERT_TRUE(AsOrdinaryUser(f, fs::path(), [&] {   // no folder read-only
        f.Run("load");
        f.desktop.nextFile = f.MapsText() + "l.mwl";
        f.w->Click("cmdLoadList");
    }));
    EXPECT_EQ(f.desktop.messages, (Texts{expected + "\nand 1 more", "! MAPWREN: The list file " + f.MapsText() + "l.mwl holds "
                                         "a line with a NUL byte, which no file's path holds, so it was left out: line 603."}));
    EXPECT_EQ(f.Column(1) + f.Column(4) + f.Ticks().substr(1199), files + listed + sizes + listedSizes + ".x");
    EXPECT_EQ(f.w->Maps().CellText(7, 3) + f.w->Maps().CellText(8, 3), "Map" + std::string(47, ' '));
}

TEST(FormPosix, AFailedSaveKeepsTheOldListAndNamesIt)
{
    Form f;
    f.Run("maps load p1,0");
    const fs::path list = f.Maps() / "old.mwl";
    WriteBytes(list, "mapwren USB\r\nold\r\n");
    f.desktop.nextFile = Utf8FromPath(list);
    ASSERT_TRUE(AsOrdinaryUser(f, f.Maps(), [&] { f.w->Click("cmdSaveList"); }));
    EXPECT_TRUE(f.Only().starts_with("! MAPWREN: ") && Contains(f.Only(), Utf8FromPath(list))) << f.Only();
    EXPECT_EQ(ReadBytes(list), "mapwren USB\r\nold\r\n");
}

TEST(FormPosix, TheTestScriptIsWrittenOnceAndRunInATerminal)
{
    Terminal terminal;
    Form f;
    const std::string script = f.ProgramText() + "/Test Connection.sh";
    f.w->MenuClick("mnuID");
    const std::string lines = ReadBytes(script);
    std::string seen = lines.substr(0, lines.find('\n', 10) + 1);
    EXPECT_NE(fs::status(script).permissions() & fs::perms::owner_exec, fs::perms::none);
    // A script edited by hand runs as it is; deleted, it is written afresh.
    // Read by the shell, never handed to one as a command text.
    const auto started = [&] { const Texts a = ReceivedArguments(terminal.dir.path()); return Texts(a.end() - 3, a.end()); };
    for (const std::string edit : {"#!/bin/sh\necho edited\n", ""}) {
        EXPECT_EQ(started(), (Texts{"/bin/sh", "--", script}));
        edit.empty() ? (void)fs::remove(script) : WriteBytes(script, edit);
        f.w->MenuClick("mnuID");
        seen += ReadBytes(script) == (edit.empty() ? lines : edit) ? "kept " : "changed ";
    }
    EXPECT_EQ(started(), (Texts{"/bin/sh", "--", script}));
    EXPECT_EQ(seen + f.Only(), "#!/bin/sh\n'" + f.ProgramText() + "/sendmap20.exe' - i\nkept kept 0 messages");
    EXPECT_EQ(f.w->RunsStarted(), 3);   // the three scripts, and no tool
    EXPECT_FALSE(fs::exists(f.Program() / "sendmap-args.txt"));
}

TEST(FormPosix, AScriptThatCannotBeWrittenIsNamedAndNothingRuns)
{
    Terminal terminal;
    Form f;
    ASSERT_TRUE(AsOrdinaryUser(f, f.Program(), [&] { f.w->MenuClick("mnuID"); }));
    EXPECT_TRUE(f.Only().starts_with("C MAPWREN: The test script " + f.ProgramText() + "/Test Connection.sh")) << f.Only();
    EXPECT_TRUE(NothingStarted(f, terminal.dir.path()));
}

TEST(FormPosix, TheToolIsFoundByItsLinuxNameTooAndEachComPortReachesADevice)
{
    // The files in the program's folder, and the tool the upload then starts.
    const struct { Names files; const char* started; } cases[] = {
        {{"sendmap20"}, "sendmap20"}, {{"SendMap20"}, "SendMap20"}, {{"sendmap20.exe", "sendmap20"}, "sendmap20"},
        {{"sendmap", "sendmap20.exe"}, "sendmap20.exe"}, {{"SENDMAP"}, "SENDMAP"}};
    const std::pair<const char*, const char*> ports[] = {
        {"COM1", "/dev/ttyS0"}, {"COM4", "/dev/ttyS3"}, {"COM5", "/dev/ttyUSB0"}, {"COM7", "/dev/ttyUSB2"},
        {"COM8", "/dev/ttyACM0"}, {"COM9", "/dev/ttyACM1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.started);
        Form f(c.files);
        f.Run("maps load cmdSelectAll optCOM cmdUpload");
        EXPECT_TRUE(f.w->UploadCommand.starts_with(f.ProgramText() + "/" + c.started + " ")) << f.w->UploadCommand;
        EXPECT_FALSE(ReceivedArguments(f.Program()).empty());
        for (const auto& [com, device] : ports) {
            EXPECT_EQ(ToolSidePort(com, ToolRuntime::Native), device);
            EXPECT_TRUE(Contains(f.w->cboCOM.toolTip, "\n" + std::string(com) + ": " + device)) << f.w->cboCOM.toolTip;
        }
    }
}

// A Windows program ("MZ") runs through Wine (here a stand-in Wine that starts the stand-in), given Windows paths. The
// COM box's tooltip shows what Wine opens: the prefix's Ports key read as Wine reads it, links resolved where they
// lie, a device the user may not open said so, and nothing read that could hold the window.
TEST(FormPosix, AWindowsToolRunsThroughWineWithWindowsPathsAndTheComPortsShowWhatWineOpens)
{
    // The Ports key's lines, the dosdevices links (port, target), whether system.reg is a pipe, whether the user is
    // an ordinary one; the tooltip's lines expected (each a line's start, "|" between them), {p} the prefix.
    const struct { std::string ports; std::vector<std::pair<const char*, const char*>> links; bool pipe, ordinary;
                   std::string line; } cases[] = {
        {"\"COM2\"=\"/dev/ttyUSB0\"", {{"com1", "/dev/ttyS0"}}, false, false, "COM1: /dev/ttyS0|COM2: /dev/ttyUSB0|COM3: not mapped by Wine\n"},
        {"\"com6\"=\"{p}/dev\\\\\\\"6\\\\\\\\x\"", {}, false, false, "COM6: {p}/dev\\\"6\\\\x (not connected)"},
        {"\"COM3\"=\"{p}/d\\x00e9\\101\"", {}, false, false, "COM3: {p}/d\xC3\xA9" "A (not connected)"},
        {"", {{"com4", "../dev4"}}, false, false, "COM4: {p}/dev4\n"},
        {"\"COM5\"=\"/" + std::string(2 << 20, 'x') + "\"", {}, false, false, "COM5: /" + std::string(99, 'x') + "... (not"},
        {"\"COM7\"=\"{p}/dev4\"", {}, false, true, "COM7: {p}/dev4 (no permission: see the user guide's Permissions)"},
        {"\"COM2\"=\"/dev/ttyUSB0\"", {{"com2", "/dev/ttyS1"}}, true, false, "COM2: /dev/ttyS1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Form f({});
        WriteBytes(f.Program() / "sendmap20.exe", "MZ, a Windows program");
        CopyStandIn(f.Program(), ".standin");
        const fs::path prefix = f.dir.path() / "prefix";
        fs::create_directories(prefix / "dosdevices");
        WriteBytes(prefix / "dev4", "");
        ::chmod((prefix / "dev4").c_str(), 0600);
        const auto inPrefix = [&](std::string text) { return Replaced(text, "{p}", prefix.string()); };
        if (c.pipe)
            ::mkfifo((prefix / "system.reg").c_str(), 0644);
        else
            WriteBytes(prefix / "system.reg", "WINE REGISTRY Version 2\n[Software\\\\Wine\\\\Drives] 1\n\n"
                                              "[Software\\\\Wine\\\\Ports] 1\n#time=1\n" + inPrefix(c.ports) + "\n\n[System] 1\n");
        for (const auto& [port, target] : c.links)
            fs::create_symlink(target, prefix / "dosdevices" / port);
        const Env wine("WINEPREFIX", prefix.string());
        c.ordinary ? (void)AsOrdinaryUser(f, fs::path(), [&] { f.Start(); }) : f.Start();
        const std::string tip = f.w->cboCOM.toolTip;
        EXPECT_TRUE(tip.starts_with("Under Wine (prefix ")) << tip;
        std::istringstream lines(inPrefix(c.line));
        for (std::string line; std::getline(lines, line, '|');)
            EXPECT_TRUE(Contains(tip + "\n", "\n" + line)) << tip;
        f.WriteMaps({{"my map.img", "Mine", 300}});
        f.Run("load p1,0 optCOM cboCOM=COM2 cmdUpload");
        std::string maps = "Z:" + f.MapsText(), tool = "Z:" + f.ProgramText() + "/sendmap20.exe";
        std::ranges::replace(maps, '/', '\\'), std::ranges::replace(tool, '/', '\\');
        EXPECT_EQ(f.w->UploadCommand, tool + " -tCOM2 \"" + maps + "my map.img\"");
        EXPECT_EQ(f.Sent(), "-tCOM2|" + maps + "my map.img");
    }
}

// Under Wine the tool opens Windows paths in Wine's code page, which follows the locale: a map no such path can name
// is asked about before the tool starts (No sends nothing), the others reach it.
TEST(FormPosix, MapsAWindowsToolUnderWineCannotOpenAreAskedAbout)
{
    // The locale, the odd map's file name, whether the map is named in the question, the mapset name.
    const struct { const char* locale; std::string file; bool named; std::string mapset = ""; } cases[] = {
        {"en_US.UTF-8", "back\\slash.img", true}, {"en_US.UTF-8", "what?.img", true}, {"C.UTF-8", "say \"x\".img", true},
        {"en_US.UTF-8", "line\nbreak.img", true}, {"de_DE.UTF-8", "Z\xC3\xBCrich.img", false}, {"en_US.UTF-8", kCyrillic + ".img", true},
        {"ru_RU.UTF-8", kCyrillic + ".img", false, kCyrillic}, {"de_DE.UTF-8", "b.img", false, kCyrillic}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        Form f({}, false);
        WriteBytes(f.Program() / "sendmap20.exe", "MZ, a Windows program");
        CopyStandIn(f.Program(), ".standin");
        f.Start();
        f.WriteMaps({{"a.img", "Alpha", 300}, {c.file, "Odd", 300}});
        const Env locale("LC_ALL", c.locale);
        f.Run("load cmdSelectAll no" + std::string(c.mapset.empty() ? "" : " chkMapset txtMapset=" + c.mapset) + " cmdUpload");
        const std::string question = "? MAPWREN: The upload tool, a Windows program run through Wine, cannot open this "
                                     "ticked map, as its path holds characters Windows does not allow in a file name (\\ \" "
                                     "< > | ? * or a line break) or Wine's code page lacks:\n" + f.MapsText() + c.file +
                                     "\nSend the other map without it?";
        const std::string refused = "! MAPWREN: The mapset name " + c.mapset + " holds characters that would reach the "
                                    "upload tool as \"?\", as Wine's code page lacks them: ";
        if (c.named)
            EXPECT_EQ(f.Only() + " " + f.Sent(), question + " nothing");
        else if (!c.mapset.empty() && std::string(c.locale) != "ru_RU.UTF-8")
            EXPECT_TRUE(f.Only().starts_with(refused)) << f.Only();
        else
            EXPECT_EQ(f.Only() + " " + std::to_string(ReceivedArguments(f.Program()).size()),
                      c.mapset.empty() ? "0 messages 2" : "0 messages 4");   // the maps, and the mapset's two
    }
}

// What stops a tool from starting outside Windows is said, and nothing starts.
TEST(FormPosix, AToolThatCannotRunHereSaysWhy)
{
    // The tool file's first bytes ("" the stand-in, "|" a pipe, which holds nothing), its permissions, the PATH (the
    // stand-ins' or none), what is said.
    const struct { const char* bytes; fs::perms perms; bool path; const char* says; } cases[] = {
        {"MZ", fs::perms::owner_read, false, "The upload tool {tool20} is a Windows program, and Wine, which runs Windows "
                                             "programs here, is not installed. Install Wine (package wine), or put the "
                                             "tool's Linux build, sendmap20, beside MAPWREN."},
        {"", fs::perms::owner_read, true, "The upload tool {tool20} may not be run: it lacks the permission to execute. Make it "
                                          "executable (chmod +x, or \"Allow executing file as program\" in its properties) and try again."},
        {"", fs::perms::owner_all, false, "No terminal program was found to show the upload tool in: neither x-terminal-emulator "
                                          "nor xterm is on the PATH. Install xterm (package xterm) and try again."},
        {"|", fs::perms::owner_all, true, "The upload tool {tool20} could not be started: it is not an ordinary file."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        Form f({"sendmap20.exe"});
        if (c.bytes == std::string("|"))
            fs::remove(f.Program() / "sendmap20.exe"), ::mkfifo((f.Program() / "sendmap20.exe").c_str(), 0755);
        else if (*c.bytes)
            WriteBytes(f.Program() / "sendmap20.exe", c.bytes);
        fs::permissions(f.Program() / "sendmap20.exe", c.perms);
        f.Run("maps load p1,0");
        const Env path("PATH", c.path ? std::getenv("PATH") : "/nowhere");
        f.Run("cmdUpload cmdEraseGPS optSureYes");
        const std::string said = "C MAPWREN: " + f.Expand(c.says);
        EXPECT_EQ(f.Said() + " " + f.Sent(), said + " | " + said + " nothing");
    }
}

// Paths as long as a file name may be, so few maps fill the longest command line Windows starts; Windows itself
// hands the tool short names, which 160 maps never fill.
TEST(FormPosix, TooManyMapsForOneCommandLineAreRefusedWithTheCountThatFits)
{
    Form f;
    for (int i = 0; i < 160; ++i)
        f.WriteMaps({{std::to_string(100 + i) + std::string(240, 'x') + ".img", "Long", 200}});
    f.Run("load cmdSelectAll");
    std::size_t length = f.Tool("sendmap20.exe").size();
    int fitting = 0;
    for (const std::string& map : f.w->Maps().SelectedFiles())
        fitting += (length += 1 + map.size()) < 32767;
    ASSERT_TRUE(fitting > 0 && fitting < 160);
    f.w->Click("cmdUpload");
    EXPECT_TRUE(Contains(f.Only(), "160 ticked maps") && Contains(f.Only(), "first " + std::to_string(fitting) + " ")) << f.Only();
    EXPECT_TRUE(NothingStarted(f, f.Program()));
}

// `my "x"` on a command line would start the tool in `my x`.
TEST(FormPosix, AProgramFolderHoldingADoubleQuoteStartsNothing)
{
    for (const char* steps : {"cmdUpload", "cmdEraseGPS optSureYes", "mnuID"}) {
        Terminal terminal;
        Form f({"sendmap20.exe"}, true, "my \"x\"");
        fs::create_directory(f.dir.path() / "my x");
        CopyStandIn(f.dir.path() / "my x", "sendmap20.exe");
        f.Run(std::string("maps load cmdSelectAll ") + steps);
        EXPECT_TRUE(f.Only().starts_with("! MAPWREN: The program's folder " + f.ProgramText() + " holds a double quote") &&
                    !f.w->optSureYes.visible) << steps << ": " << f.Only();
        EXPECT_TRUE(NothingStarted(f, f.dir.path() / "my x") && NothingStarted(f, terminal.dir.path()));
    }
}

#endif

} // namespace
} // namespace mapwren::testing
