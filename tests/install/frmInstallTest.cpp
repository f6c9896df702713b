// The install window's form: where the maps can go, what is there, the name,
// the checks before writing, and what the user is told.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/FakeDesktop.h"
#include "common/Paths.h"
#include "install/frmInstall.h"
#include "receivers/Install.h"
#include "receivers/Room.h"
#include "support/FakeVolumes.h"
#include "support/Fixtures.h"

namespace mapwren::testing {
namespace {

namespace fs = std::filesystem;
constexpr const char* kTitle = "Install Maps on Receiver or Card";

// Two receivers' worth of volumes in temporary folders, two tiles to install,
// and the form over them, opened.
struct FormInstall : ::testing::Test {
    TempDir dir;
    std::shared_ptr<FakeVolumes> volumes = std::make_shared<FakeVolumes>();
    FakeDesktop desktop;
    std::shared_ptr<const CombinedPlan> plan;
    std::shared_ptr<frmInstall> form;
#ifndef _WIN32
    std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    ~FormInstall() override { ::setenv("PATH", path.c_str(), 1); }
#endif

    FormInstall()
    {
#ifndef _WIN32
        // No eject command but the test's own: what is told is the same everywhere.
        ::setenv("PATH", Utf8FromPath(dir.path()).c_str(), 1);
#endif
        for (const char* folder : {"maps", "card", "disk"})
            fs::create_directories(dir.path() / folder);
        WriteTileImg(dir.path() / "maps" / "alps.img", "Alps", {{"63240001", 47, 11, 46, 10}});
        WriteTileImg(dir.path() / "maps" / "jura.img", "Jura", {{"63240002", 48, 7, 47, 6}});
        auto planned = PlanCombinedMap({Path("maps/alps.img"), Path("maps/jura.img")}, "Alps Topo");
        plan = std::make_shared<const CombinedPlan>(std::move(planned.value()));
        WriteGarminDevice(dir.path() / "etrex", "eTrex 30");
        WriteImg(dir.path() / "etrex" / "Garmin" / "gmapsupp.img", "Old Topo", "", 0, 4096);
        volumes->volumes = {Drive("etrex", false, 1'000'000'000), Drive("card", true, 3'000'000),
                            Drive("disk", false, 1'000'000'000)};
        form = std::make_shared<frmInstall>(desktop, volumes, plan, "Alps Topo");
        form->Form_Load();
    }
    // A path under the test's folder as the system writes it: "card/Garmin" is card\Garmin on Windows.
    std::string Path(const std::string& part) const { return Utf8FromPath((dir.path() / PathFromUtf8(part)).make_preferred()); }
    Volume Drive(const std::string& name, bool removable, std::uint64_t free) const
    {
        return {Path(name), "/dev/" + name, "vfat", removable, free, 4096};
    }
    // Install pressed and its work run to the end: what the user was told.
    std::vector<std::string> Install()
    {
        desktop.messages.clear();
        form->Click("cmdInstall");
        for (int i = 0; i < 200 && form->Installing(); ++i)
            desktop.RunPosted();
        return desktop.messages;
    }
    // A message as the desktop shows it: '!' a warning, '?' a question, 'i' information.
    static std::string Told(const char* icon, const std::string& text) { return std::string(icon) + " " + kTitle + ": " + text; }
    // How many places are listed, which is chosen, and whether Install can be pressed.
    std::string Places() const
    {
        return std::to_string(form->PlaceItems().size()) + " listed, " + std::to_string(form->cboPlace.value) +
               " chosen, Install " + (form->cmdInstall.enabled ? "on" : "off");
    }
    std::string Sizes() const { return BytesText(plan->FileSize()); }
};

TEST_F(FormInstall, ListsReceiversAndCardsWithWhatTheChosenOneHolds)
{
    EXPECT_EQ(form->Caption, kTitle);
    EXPECT_EQ(form->PlaceItems(), (std::vector<std::string>{"eTrex 30 (" + Path("etrex") + "), vfat, 1.0 GB free",
                                                             Path("card") + " (/dev/card), vfat, 3.0 MB free"}));
    EXPECT_EQ(Places(), "2 listed, 0 chosen, Install on");
    EXPECT_EQ(form->lblMaps.text + " | " + form->txtName.text, "gmapsupp.img    4.1 KB    Old Topo | Alps_Topo.img");
    EXPECT_EQ(form->lblOlder.text,
              "Older receivers read only gmapsupp.img: a new file of that name replaces all their maps.");
    EXPECT_EQ(form->lblSize.text, "The new map file: " + Sizes() + ", 2 tiles.");

    form->cboPlace_Click(1);
    EXPECT_EQ(form->lblMaps.text + " | " + form->txtName.text, "None. | gmapsupp.img");
    EXPECT_EQ(form->lblVolume.text, "Into " + Path("card/Garmin") + " on vfat, 3,000,000 bytes (3.0 MB) free.");
}

TEST_F(FormInstall, AReceiverPluggedInOrPulledOutShowsUpOrGoesAtTheNextLook)
{
    form->cboPlace_Click(1);
    WriteGarminDevice(dir.path() / "oregon", "Oregon 600");
    volumes->volumes.push_back(Drive("oregon", false, 5000));
    form->tmrPoll_Timer();
    ASSERT_EQ(Places(), "3 listed, 1 chosen, Install on") << "the card stays chosen";
    EXPECT_EQ(form->PlaceItems()[2], "Oregon 600 (" + Path("oregon") + "), vfat, 5.0 KB free");

    volumes->volumes.erase(volumes->volumes.begin() + 1);   // the card pulled out
    form->tmrPoll_Timer();
    EXPECT_EQ(Places(), "2 listed, -1 chosen, Install off");
    EXPECT_EQ(Install(), std::vector<std::string>{}) << "Enter on the greyed default button";
    EXPECT_EQ(form->lblVolume.text, "Choose where the maps go.");
    volumes->volumes.clear();
    form->tmrPoll_Timer();
    EXPECT_EQ(form->lblVolume.text, "No receiver or memory card is plugged in. Plug one in, or choose another folder.");
    volumes->volumes.push_back(Drive("card", true, 3'000'000));   // plugged in again: chosen
    form->tmrPoll_Timer();
    EXPECT_EQ(Places(), "1 listed, 0 chosen, Install on");
}

TEST_F(FormInstall, AnotherFolderIsAddedAndChosenOrRefused)
{
    const struct { std::optional<std::string> folder; const char* places; const char* refused; } cases[] = {
        {std::nullopt, "2 listed, 0 chosen, Install on", nullptr},
        {Path("disk"), "3 listed, 2 chosen, Install on", nullptr},
        {Path("etrex/Garmin"), "3 listed, 0 chosen, Install on", nullptr},   // known already: chosen again
        {"/nowhere", "3 listed, 0 chosen, Install on", "The folder /nowhere cannot be reached."},
    };
    for (const auto& c : cases) {
        desktop.nextFolder = c.folder;
        desktop.messages.clear();
        form->Click("cmdAnotherFolder");
        EXPECT_EQ(Places(), c.places);
        EXPECT_EQ(desktop.messages, c.refused ? std::vector<std::string>{Told("!", c.refused)} : std::vector<std::string>{});
    }
    form->tmrPoll_Timer();
    EXPECT_EQ(form->PlaceItems().back(), Path("disk") + " (/dev/disk), vfat, 1.0 GB free") << "kept while open";
}

TEST_F(FormInstall, RefusalsAndNoAnswersWriteNothing)
{
    const struct { int place; const char* name; std::uint64_t cardFree; std::vector<std::string> answers;
                   std::string told; } cases[] = {
        {1, "alps.txt", 3'000'000, {}, Told("!", "The name alps.txt does not end in .img: receivers read only .img files.")},
        {0, "gmapsupp.img", 3'000'000, {"No"}, Told("?", Path("etrex/Garmin/gmapsupp.img") +
            " is there already (4,096 bytes (4.1 KB), Old Topo). Replace it with the new map file?")},
        {1, "gmapsupp.img", 4096, {}, Told("!", "The map file needs " + BytesText((plan->FileSize() + 4095) / 4096 * 4096) +
            ", but " + Path("card") + " has only 4,096 bytes (4.1 KB) free. Nothing was written.")},
    };
    for (const auto& c : cases) {
        volumes->volumes[1].freeBytes = c.cardFree;
        form->cboPlace_Click(c.place);
        form->txtName_Change(c.name);
        desktop.answers = c.answers;
        EXPECT_EQ(Install(), std::vector<std::string>{c.told});
    }
    EXPECT_FALSE(fs::exists(dir.path() / "card" / "Garmin"));
    EXPECT_EQ(ReadBytes(dir.path() / "etrex" / "Garmin" / "gmapsupp.img").size(), 4096u);
}

TEST_F(FormInstall, InstallsAfterRemovingALeftoverAndTellsWhereAndHowBig)
{
    const std::string target = Path("etrex/Garmin/gmapsupp.img");
    const std::string leftover = CombinedTemporaryName(Path("etrex/Garmin/alps.img"));
    WriteBytes(PathFromUtf8(leftover), "half a file");
    form->txtName_Change("gmapsupp.img");
    desktop.answers = {"Yes"};
    EXPECT_EQ(Install(), (std::vector<std::string>{
        Told("?", target + " is there already (4,096 bytes (4.1 KB), Old Topo). Replace it with the new map file?"),
        Told("i", "An earlier install that was cut off left an unfinished file behind:\n" + leftover + "\nIt is removed now."),
        Told("i", "The maps are installed on eTrex 30 (" + Path("etrex") + "): " + target + ", " + Sizes() +
                      ". Eject the device before unplugging it.")}));
    EXPECT_EQ(fs::file_size(target), plan->FileSize());
    EXPECT_EQ(FindLeftovers(Path("etrex/Garmin"), IsCombinedTemporary), std::vector<std::string>{});
    EXPECT_EQ(form->lblMaps.text, "gmapsupp.img    " + ShortBytesText(plan->FileSize()) + "    Alps Topo");

    // A Garmin folder that cannot be made: said, nothing left.
    WriteBytes(dir.path() / "disk" / "Garmin", "a file");
    volumes->volumes[2].removable = true;
    form->tmrPoll_Timer();
    form->cboPlace_Click(2);
    const auto told = Install();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_TRUE(told[0].starts_with(Told("!", "The folder " + Path("disk/Garmin") + " could not be made: ")));
    EXPECT_TRUE(told[0].ends_with("\nNothing was left behind.")) << told[0];

    // A card with no Garmin folder yet gets one.
    form->cboPlace_Click(1);
    Install();
    EXPECT_EQ(fs::file_size(dir.path() / "card" / "Garmin" / "gmapsupp.img"), plan->FileSize());
}

#ifndef _WIN32
TEST_F(FormInstall, OffersToEjectThroughTheDesktopsCommandAndSaysWhenItIsDone)
{
    // A gio that records how it was started.
    WriteBytes(dir.path() / "gio", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"" + Path("gio-args") + "\"\n");
    fs::permissions(dir.path() / "gio", fs::perms::owner_all);
    form->cboPlace_Click(1);
    desktop.answers = {"Yes"};
    EXPECT_EQ(Install(), (std::vector<std::string>{
        Told("?", "The maps are installed on " + Path("card") + " (/dev/card): " + Path("card/Garmin/gmapsupp.img") +
                      ", " + Sizes() + ". Eject the device before unplugging it.\nEject it now?"),
        Told("i", Path("card") + " (/dev/card) can be unplugged now.")}));
    EXPECT_EQ(ReadBytes(dir.path() / "gio-args"), "mount\n-e\n" + Path("card") + "\n");
}
#endif

} // namespace
} // namespace mapwren::testing
