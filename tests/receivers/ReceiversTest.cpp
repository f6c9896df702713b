// Finding receivers and cards, what their Garmin folder holds, and the checks before an install.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/Paths.h"
#include "receivers/GarminFolder.h"
#include "receivers/Install.h"
#include "receivers/Places.h"
#include "receivers/Room.h"
#include "support/FakeVolumes.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
namespace fx = mapwren::testing;

TEST(GarminDevice, TheModelAndUnitComeFromTheXmlAndAnythingElseIsNoDevice)
{
    const struct { const char* what; std::string xml; const char* description, *unitId; } cases[] = {   // nullptr: refused
        {"namespaced, as receivers write it", fx::GarminDeviceXml("eTrex 30", "006-B1207-00", "3849591234"),
         "eTrex 30", "3849591234"},
        {"no namespace, padded, entity",
         "<Device><Id> 7 </Id><Model><Description>\n GPSMAP 64s &amp; more </Description></Model></Device>",
         "GPSMAP 64s & more", "7"},
        {"a description elsewhere counts not", "<Device><Description>x</Description><Model/></Device>", nullptr, ""},
        {"cut short", fx::GarminDeviceXml("eTrex 30").substr(0, 200), nullptr, ""},
        {"another root", "<Settings><Model><Description>eTrex</Description></Model></Settings>", nullptr, ""},
        {"empty", "", nullptr, ""},
        {"not XML", "Description: eTrex 30", nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto device = ParseGarminDevice(c.xml);
        ASSERT_EQ(device.ok(), c.description != nullptr) << device.error();
        if (device) {
            EXPECT_EQ(device.value().description, c.description);
            EXPECT_EQ(device.value().unitId, c.unitId);
        } else {
            EXPECT_FALSE(device.error().empty());
        }
    }
}

// Receivers by their file and removable volumes are listed, others not; a chosen folder takes the maps in its
// Garmin folder, or itself when it is one.
TEST(FindPlaces, ReceiversAndRemovableVolumesAreListedAndAChosenFolderTakesTheMapsInItsGarminFolder)
{
    fx::TempDir dir;
    const auto volume = [&](const char* name, bool removable) {
        fs::create_directories(dir.path() / name);
        return Volume{Utf8FromPath(dir.path() / name), "/dev/x", "vfat", removable, 1000, 0};
    };
    fx::FakeVolumes volumes;
    volumes.volumes = {volume("receiver", false), volume("card", true), volume("disk", false),
                       volume("broken", true), volume("upper", false)};
    fx::WriteGarminDevice(dir.path() / "receiver", "eTrex 30");
    fx::WriteBytes(dir.path() / "disk" / "garmin.txt", "");
    fs::create_directories(dir.path() / "broken" / "Garmin");
    fx::WriteBytes(dir.path() / "broken" / "Garmin" / "GarminDevice.xml", "<Device><Model>");
    fs::create_directories(dir.path() / "upper" / "GARMIN");
    fx::WriteBytes(dir.path() / "upper" / "GARMIN" / "GARMINDEVICE.XML", fx::GarminDeviceXml("Oregon 600"));

    std::vector<std::string> captions, folders;
    for (const Place& place : FindPlaces(volumes)) {
        captions.push_back(PlaceCaption(place));
        folders.push_back(Utf8FromPath(PathFromUtf8(place.garminFolder).lexically_relative(dir.path())));
    }
    const auto root = [&](const char* name) { return Utf8FromPath(dir.path() / name); };
    EXPECT_EQ(captions, (std::vector<std::string>{"eTrex 30 (" + root("receiver") + ")", root("card") + " (/dev/x)",
                                                  root("broken") + " (/dev/x)", "Oregon 600 (" + root("upper") + ")"}));
    const auto inside = [](const char* a, const char* b) { return Utf8FromPath(fs::path(a) / b); };
    EXPECT_EQ(folders, (std::vector<std::string>{inside("receiver", "Garmin"), inside("card", "Garmin"),
                                                 inside("broken", "Garmin"), inside("upper", "GARMIN")}));
    for (const auto& [chosen, garmin] :
         {std::pair{"receiver", "receiver/Garmin"}, {"receiver/Garmin", "receiver/Garmin"}, {"disk", "disk/Garmin"}}) {
        const auto place = PlaceOfFolder(volumes, Utf8FromPath((dir.path() / chosen).make_preferred()));
        ASSERT_TRUE(place.ok()) << place.error();
        EXPECT_EQ(place.value().garminFolder, Utf8FromPath((dir.path() / garmin).make_preferred()));
        EXPECT_EQ(place.value().device.has_value(), chosen != std::string("disk"));
    }
    EXPECT_EQ(PlaceOfFolder(volumes, "/nowhere").error(), "The folder /nowhere cannot be reached.");
}

#ifndef _WIN32
// On a FAT32 volume that FatVolume.sh mounts through fusefat.
TEST(FatVolume, AReceiverOnARealFatVolumeIsListedWithItsModelAndFileSystem)
{
    const char* mounted = std::getenv("MAPWREN_FAT_VOLUME");
    if (!mounted)
        GTEST_SKIP() << "no FAT volume mounted";
    const fs::path root = mounted;
    fx::WriteGarminDevice(root, "eTrex 30");
    fx::TempDir dir;   // fusefat cannot resize a file: the map is made elsewhere
    fx::WriteImg(dir.path() / "old.img", "Old Topo", "", 0, 8192);
    fx::WriteBytes(root / "Garmin" / "gmapsupp.img", fx::ReadBytes(dir.path() / "old.img"));
    const auto volumes = SystemVolumes();
    const auto places = FindPlaces(*volumes);
    const auto place = std::ranges::find_if(places, [&](const Place& p) { return p.volume.root == mounted; });
    ASSERT_NE(place, places.end());
    EXPECT_EQ(PlaceCaption(*place), "eTrex 30 (" + root.string() + ")");
    EXPECT_TRUE(IsFatFileSystem(place->volume.fileSystem)) << place->volume.fileSystem;
    const auto maps = ListExistingMaps(place->garminFolder);
    ASSERT_EQ(maps.size(), 1u);
    EXPECT_EQ(maps[0].size, 8192u);
    EXPECT_EQ(volumes->VolumeOf(place->garminFolder).value().root, root.string());

    // Installed over the old file: written in order, as a FUSE volume takes it, and whole.
    fx::WriteTileImg(dir.path() / "alps.img", "Alps", {{"63240001", 47, 11, 46, 10}});
    const auto plan = PlanCombinedMap({Utf8FromPath(dir.path() / "alps.img")}, "Alps");
    ASSERT_TRUE(plan.ok()) << plan.error();
    const Status installed = InstallCombinedMap(plan.value(), place->garminFolder + "/gmapsupp.img", nullptr);
    ASSERT_TRUE(installed.ok()) << installed.error();
    const auto now = ListExistingMaps(place->garminFolder);
    ASSERT_EQ(now.size(), 1u);
    EXPECT_EQ(now[0].size, plan.value().FileSize());
    EXPECT_EQ(now[0].mapName, "Alps");

    // Real tiles from mkgmap, for FatVolume.sh to read back from the volume with libgarmin.
    fx::WriteRoadOsm(dir.path() / "10.osm", 10);
    fx::WriteRoadOsm(dir.path() / "11.osm", 11);
    const auto made = fx::RunMkgmap(dir.path(), {"--mapname=63240001", Utf8FromPath(dir.path() / "10.osm"),
                                                 Utf8FromPath(dir.path() / "11.osm")});
    if (!made)
        return;
    ASSERT_EQ(*made, 0);
    const auto tiles = PlanCombinedMap({Utf8FromPath(dir.path() / "63240001.img"), Utf8FromPath(dir.path() / "63240002.img")}, "");
    ASSERT_TRUE(tiles.ok()) << tiles.error();
    EXPECT_TRUE(InstallCombinedMap(tiles.value(), place->garminFolder + "/checked.img", nullptr).ok());
}

TEST(Volumes, TheMountTableGivesMountPointsUnescapedWithoutPseudoSystems)
{
    const std::string table =
        "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "23 22 0:5 / /proc rw - proc proc rw\n"
        "24 22 0:20 / /run/user/1000 rw - tmpfs tmpfs rw\n"
        "25 22 8:17 / /media/anna/GARMIN\\040CARD rw,nosuid shared:1 - vfat /dev/sdb1 rw\n"
        "26 22 0:44 / /mnt/server rw - nfs4 host:/x rw\n"
        "27 22 0:50 / /tmp/fat rw - fuse.fusefat /tmp/fat.img rw\n"
        "28 22 8:33 / /tmp/fat rw - vfat /dev/sdc1 rw\n"
        "broken line\n";
    std::vector<std::string> seen;
    for (const Volume& volume : VolumesFromMountInfo(table))
        seen.push_back(volume.root + "|" + volume.fileSystem + "|" + volume.device + "|" +
                       (volume.removable ? "removable" : "fixed"));
    EXPECT_EQ(seen, (std::vector<std::string>{"/|ext4|/dev/sda1|fixed", "/media/anna/GARMIN CARD|vfat|/dev/sdb1|removable",
                                              "/tmp/fat|vfat|/dev/sdc1|fixed"}));
}
#endif

TEST(GarminFolder, ExistingMapsShowNameSizeAndHeaderNameAndTheNameToWriteAvoidsThemAndIsOneACardTakes)
{
    fx::TempDir dir;
    fx::WriteImg(dir.path() / "gmapsupp.img", "Old Topo", "Europe", 0, 4096);
    fx::WriteImg(dir.path() / "Alps.IMG", "Alps", "", 0x55, 1000);
    fx::WriteBytes(dir.path() / "notes.txt", "x");
    std::vector<std::string> shown;
    for (const ExistingMap& map : ListExistingMaps(dir.folder()))
        shown.push_back(map.fileName + "|" + std::to_string(map.size) + "|" + map.mapName);
    EXPECT_EQ(shown, (std::vector<std::string>{"Alps.IMG|1000|Alps", "gmapsupp.img|4096|Old Topo            Europe"}));
    EXPECT_TRUE(ListExistingMaps(Utf8FromPath(dir.path() / "none")).empty());

    const std::vector<ExistingMap> none, old = {{"GMAPSUPP.IMG", 10, ""}};
    const std::tuple<const std::vector<ExistingMap>*, const char*, const char*> cases[] = {
        {&none, "Alps Topo", "gmapsupp.img"}, {&old, "Alps Topo 2024", "Alps_Topo_2024.img"},
        {&old, "  ", "gmapsupp.img"}, {&old, "Höhen", "H__hen.img"}, {&old, "", "gmapsupp.img"}};
    for (const auto& [existing, mapset, name] : cases)
        EXPECT_EQ(DefaultFileName(*existing, mapset), name) << mapset;
    EXPECT_EQ(ReplacedBy(old, "gmapsupp.img"), &old[0]);
    EXPECT_EQ(ReplacedBy(old, "other.img"), nullptr);
    const std::pair<const char*, bool> typed[] = {{"alps.img", true}, {"ALPS.IMG", true}, {"", false}, {"a/b.img", false},
                                                  {"a:b.img", false}, {"alps.txt", false}, {".img", false}, {"tab\t.img", false}};
    for (const auto& [name, taken] : typed)
        EXPECT_EQ(RefuseFileName(name).empty(), taken) << name;
}

TEST(Room, RefusalsNameTheNumbersAndCountLeftoversAndClusters)
{
    const auto volume = [](const char* system, std::uint64_t free, std::uint64_t cluster) {
        return Volume{"E:\\", "", system, true, free, cluster};
    };
    const struct { RoomFacts facts; const char* refusal; } cases[] = {   // an empty refusal: allowed
        {{100, 1, 0, 0, volume("FAT32", 100, 0)}, ""},
        {{101, 1, 0, 0, volume("FAT32", 100, 0)},
         "The map file needs 101 bytes, but E:\\ has only 100 bytes free. Nothing was written."},
        {{100, 1, 0, 0, volume("vfat", 4096, 4096)}, ""},
        {{4097, 1, 0, 0, volume("vfat", 4096, 4096)},
         "The map file needs 8,192 bytes (8.2 KB), but E:\\ has only 4,096 bytes (4.1 KB) free. Nothing was written."},
        {{150, 1, 0, 60, volume("FAT32", 100, 0)}, ""},
        {{150, 1, 500, 0, volume("FAT32", 100, 0)},
         "The map file needs 150 bytes, but E:\\ has only 100 bytes free. The file it replaces (500 bytes) stays "
         "until the new one is whole, so both must fit at once. Nothing was written."},
        {{kFatLargestFile, 1, 0, 0, volume("vfat", 1ull << 40, 0)}, ""},
        {{kFatLargestFile + 1, 1, 0, 0, volume("FAT32", 1ull << 40, 0)},
         "The map file would be 4,294,967,296 bytes (4.3 GB), but E:\\ uses FAT32, which holds no file larger than "
         "4,294,967,295 bytes (4.3 GB). Tick fewer maps."},
        {{kFatLargestFile + 1, 1, 0, 0, volume("exFAT", 1ull << 40, 0)}, ""},
        {{1ull << 40, 1, 0, 0, Volume{"E:\\", "", "NTFS", true, std::nullopt, 0}}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckRoom(c.facts).error(), c.refusal) << c.facts.fileBytes << " on " << c.facts.volume.fileSystem;
    EXPECT_FALSE(TileWarning(2025));
    EXPECT_EQ(TileWarning(2026).value_or(""),
              "The map file holds 2026 tiles; older receivers show at most 2025 and leave out the rest.");
}

TEST(Install, LeftoverTemporaryFilesAreFoundByNameAndRemoved)
{
    fx::TempDir dir;
    for (const char* name : {"gmapsupp.img", "gmapsupp.img.part1", "alps.img.part2", "notes.part"})
        fx::WriteBytes(dir.path() / name, "x");
    fs::create_directories(dir.path() / "folder.part3");
    const auto leftovers = FindLeftovers(Utf8FromPath(dir.path()), [](const std::string& name) {
        return name.find(".img.part") != std::string::npos || name.starts_with("folder");
    });
    std::vector<std::string> names;
    for (const std::string& path : leftovers)
        names.push_back(Utf8FromPath(PathFromUtf8(path).filename()));
    std::ranges::sort(names);
    EXPECT_EQ(names, (std::vector<std::string>{"alps.img.part2", "gmapsupp.img.part1"}));
    ASSERT_TRUE(RemoveLeftovers(leftovers).ok());
    EXPECT_TRUE(FindLeftovers(Utf8FromPath(dir.path()), [](const std::string& name) {
                    return name.find(".part") != std::string::npos && name != "notes.part";
                }).empty());
    EXPECT_TRUE(fs::exists(dir.path() / "gmapsupp.img"));
    EXPECT_TRUE(FlushToDevice(Utf8FromPath(dir.path() / "gmapsupp.img")).ok());
    EXPECT_FALSE(FlushToDevice(Utf8FromPath(dir.path() / "gone.img")).ok());
}

} // namespace
} // namespace mapwren
