// Write Combined Map File: the questions before anything is written, the save
// dialog, the progress window's job and the message at its end, and what is
// left on the disk.
#include "app/FormFixture.h"
#include "img/CombinedMap.h"
#include "img/ImgContainer.h"
#include "maplist/Captions.h"
#include "install/frmInstall.h"
#include "progress/frmProgress.h"

namespace mapwren::testing {
namespace {

// Rows 1-4 after Load Folder: a.img and b.img one tile each, c.img a tile of a.img's number, d.img not a map.
struct Combining : Form {
    Combining()
    {
        for (const auto& [file, tile] : {std::pair{"a.img", "63240001"}, {"b.img", "63240002"}, {"c.img", "63240001"}})
            WriteContainer(Maps() / file, {{tile, "TRE", TreBytes(51, 11, 50, 10, 7), 0}, {tile, "RGN", std::string(3000, file[0]), 0}});
        WriteBytes(Maps() / "d.img", "not a map");
        fs::create_directories(Out());
        Run("load");
        desktop.messages.clear();   // the load's own word on d.img
        desktop.dialogs.clear();
    }
    fs::path Out() const { return dir.path() / "card" / "Garmin"; }
    std::string Target() const { return Utf8FromPath(Out() / "gmapsupp.img"); }
    // The steps, then Write Combined Map File unless they end with Install's menu, the dialog answering target, the job
    // run to its end; what was said, paths shortened.
    std::string Write(const std::string& steps, const std::optional<std::string>& target)
    {
        desktop.nextFile = target;
        Run(steps.ends_with("mnuInstall") ? steps : steps + " mnuCombinedMap");
        for (int i = 0; i < 100 && !desktop.progressWindows.empty() && !desktop.progressWindows.back()->Closed(); ++i)
            desktop.RunPosted();
        std::string said = Said();
        for (const auto& [from, to] : {std::pair{Target(), std::string("{target}")}, {MapsText(), std::string("{maps}")}})
            for (std::size_t at; (at = said.find(from)) != std::string::npos;)
                said.replace(at, from.size(), to);
        return said;
    }
    // The card's folder: each file with its subfiles (or its bytes when it is no map container).
    std::string Card() const
    {
        std::string listing;
        for (const auto& entry : fs::directory_iterator(Out())) {
            listing += Utf8FromPath(entry.path().filename()) + ":";
            auto file = ImgFile::Open(Utf8FromPath(entry.path()));
            auto directory = file ? ReadImgDirectory(file.value()) : Result<ImgDirectory>::Failure("");
            if (!directory)
                listing += " " + ReadBytes(entry.path());
            for (std::size_t i = 0; directory && i < directory.value().subfiles.size(); ++i)
                listing += " " + directory.value().subfiles[i].FullName();
        }
        return listing;
    }
};

const std::string kWritten = "i Combined Map File Written: ";

TEST(FormCombinedMap, AsksAboutWhatCannotGoInThenWritesTheTickedMapsInTheirOrderOrOpensTheInstallWindow)
{
    const std::string clash = "? MAPWREN: These ticked maps hold a tile whose name a map ticked before them holds too, and "
                              "one map file holds each name only once:\n{maps}c.img (63240001.TRE, as in {maps}a.img)\n"
                              "Leave these later tiles out and write the others?";
    const std::string notMap = "? MAPWREN: These ticked files cannot go into a combined map file:\n";
    const struct { const char* steps; bool yes; std::string said, card; } cases[] = {
        {"p2,0 p1,0", true, kWritten + "2 maps, 0.0 MB, written to {target}",
         "gmapsupp.img: MAKEGMAP.MPS 63240002.TRE 63240002.RGN 63240001.TRE 63240001.RGN"},
        // Either tool, any port or none: the tool plays no part.
        {"mnuUseSendmap1 optUSB p2,0", true, kWritten + "1 map, 0.0 MB, written to {target}",
         "gmapsupp.img: MAKEGMAP.MPS 63240002.TRE 63240002.RGN"},
        {"p1,0 p3,0", false, clash, ""},
        {"p1,0 p3,0", true, clash + " | " + kWritten + "1 map, 0.0 MB, written to {target}",
         "gmapsupp.img: MAKEGMAP.MPS 63240001.TRE 63240001.RGN"},
        {"p4,0 p2,0", false, notMap, ""},
        {"p4,0 p2,0", true, notMap, "gmapsupp.img: MAKEGMAP.MPS 63240002.TRE 63240002.RGN"},
        {"p4,0", true, "! MAPWREN: None of the maps can go into a combined map file:\n{maps}d.img", ""},
        {"", true, "! MAPWREN: No map is ticked. Tick the maps to write into the combined map file first.", ""},
        // Install asks the same questions first, then opens its window on the plan (its size's end here).
        {"p2,0 p1,0 mnuInstall", true, "", "window: , 2 tiles."},
        {"p1,0 p3,0 mnuInstall", false, clash, ""},
        {"p1,0 p3,0 mnuInstall", true, clash, "window: , 1 tile."},
        {"mnuInstall", true, "! MAPWREN: No map is ticked. Tick the maps to install on the receiver or memory card first.", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        Combining f;
        f.desktop.answerYes = c.yes;
        const std::string said = f.Write(c.steps, f.Target());
        // The not-a-map question names the file in the reader's words, then asks about the rest.
        if (c.said == notMap)
            EXPECT_EQ(said.substr(0, notMap.size()) + said.substr(said.rfind('\n')),
                      notMap + "\nLeave them out and write the other map?" + (c.yes ? " | " + kWritten + "1 map, 0.0 MB, written to {target}" : ""));
        else
            EXPECT_EQ(said, c.said);
        const auto window = f.desktop.installWindow;
        EXPECT_EQ(window ? "window: " + window->lblSize.text.substr(window->lblSize.text.rfind(',')) : f.Card(), c.card);
        EXPECT_EQ(f.desktop.dialogs.size(), c.card.starts_with("gmapsupp") ? 1u : 0u);
    }
}

TEST(FormCombinedMap, TheSaveDialogTheMapsetNameAndTheMessageAtTheEnd)
{
    Combining f;
    f.Write("chkMapset txtMapset=Topo p1,0 p2,0", f.Target());
    EXPECT_EQ(f.Request(0), "save|Save the ticked maps as one combined map file|Garmin IMG Files (*.img)|*.img|gmapsupp.img|" +
                                std::to_string(kOverwritePrompt | kPathMustExist | kHideReadOnly | kNoChangeDir | kExplorer));
    EXPECT_EQ(f.desktop.progressWindows.at(0)->Caption, "Write Combined Map File");
    EXPECT_EQ(ReadBytes(f.Out() / "gmapsupp.img").substr(0x49, 5), "Topo ");   // the header's description
    const std::uint64_t size = fs::file_size(f.Out() / "gmapsupp.img");
    EXPECT_EQ(f.desktop.messages.back(), kWritten + "2 maps, " + MegabytesText(std::int64_t(size)) + ", written to " + f.Target());
}

// Nothing is left under the target's name or beside it; a file that was there stays as it was.
TEST(FormCombinedMap, CancelAFailureAndTheDialogsCancelLeaveNothingBehind)
{
    const struct { const char* what; std::string said; std::string card; } cases[] = {
        {"cancel", "i MAPWREN: Writing the combined map file \"{target}\" was cancelled. Nothing was left behind. "
                   "The file that was there stays as it was.", "gmapsupp.img: old maps"},
        {"close box", "i MAPWREN: Writing the combined map file \"{target}\" was cancelled. Nothing was left behind. "
                      "The file that was there stays as it was.", "gmapsupp.img: old maps"},
        {"dialog cancelled", "", "gmapsupp.img: old maps"},
        {"folder gone", "! MAPWREN: The combined map file \"{target}\" could not be written: ", "(gone)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Combining f;
        const std::string what = c.what;
        WriteBytes(f.Out() / "gmapsupp.img", "old maps");
        if (what == "cancel" || what == "close box")
            f.desktop.onProgressWindow = [&](frmProgress& window) {
                what == "cancel" ? window.Click("cmdCancel") : window.Form_QueryUnload();
            };
        if (what == "folder gone")
            fs::remove_all(f.Out());
        std::string said = f.Write("p1,0 p2,0", what == "dialog cancelled" ? std::nullopt : std::optional(f.Target()));
        if (what == "folder gone") {   // the system's own reason, in its words
            EXPECT_TRUE(said.ends_with(".\nNothing was left behind.")) << said;
            said = said.substr(0, c.said.size());
        }
        EXPECT_EQ(said, c.said);
        EXPECT_EQ(fs::exists(f.Out()) ? f.Card() : "(gone)", c.card);
    }
}

// While one file is written the main window stays usable: a second write is refused, and leaving ends the first
// without leaving a part of it behind.
TEST(FormCombinedMap, ASecondWriteIsRefusedAndExitStopsTheWrite)
{
    Combining f;
    f.desktop.nextFile = f.Target();
    f.Run("p1,0 p2,0 mnuCombinedMap");
    f.Run("p3,0 cmdSelectNone p2,0 mnuCombinedMap");   // the job's end has not reached the window yet
    EXPECT_EQ(f.Only(), "! MAPWREN: A combined map file is being written to " + f.Target() +
                            " now. Wait for it to end, or cancel it, before writing another.");
    EXPECT_EQ(f.desktop.dialogs.size(), 1u);
    f.Run("mnuExit");
    EXPECT_TRUE(f.desktop.progressWindows.at(0)->Closed());
    EXPECT_EQ(f.desktop.closeAllWindows, 1);
    EXPECT_FALSE(fs::exists(f.Out() / (f.Target().substr(f.Target().rfind(kPathSeparator) + 1) + ".mapwren-part")));
    EXPECT_EQ(f.desktop.messages.size(), 1u);   // the end is told to no one
}

} // namespace
} // namespace mapwren::testing
