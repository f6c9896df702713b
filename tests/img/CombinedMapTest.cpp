// The combined map file: what goes in and what is asked about first, its bytes, and what a failure leaves.
#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <map>
#include <numeric>
#include <sstream>

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "common/Paths.h"
#include "img/CombinedFile.h"
#include "img/CombinedMap.h"
#include "img/ImgContainer.h"
#include "maplist/TilePlaces.h"
#include "support/Fixtures.h"

namespace mapwren {
namespace {

namespace fs = std::filesystem;
namespace fx = mapwren::testing;

// A tile's subfiles as mkgmap names them, the TRE holding bounds and map id.
std::vector<fx::SubfileSpec> Tile(const std::string& name, std::size_t rgnSize = 300)
{
    const auto number = static_cast<std::uint32_t>(std::stoul(name));
    std::string rgn(rgnSize, '\0');
    for (std::size_t i = 0; i < rgn.size(); ++i)
        rgn[i] = static_cast<char>(i * 7 + number);
    return {{name, "TRE", fx::TreBytes(51, 11, 50, 10, number), 0}, {name, "RGN", rgn, 0}, {name, "LBL", "labels " + name, 0}};
}

std::vector<fx::SubfileSpec> Joined(std::initializer_list<std::vector<fx::SubfileSpec>> parts)
{
    std::vector<fx::SubfileSpec> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

using fx::Le;

// A record of a product list (MPS) or a TDB file: type, length, body.
std::string Record(char type, const std::string& body) { return type + Le(body.size(), 2) + body; }

std::string TypBytes(std::uint16_t family, std::uint16_t product)
{
    std::string typ(0x5B, '\0');
    typ.replace(0, 12, Le(0x5B, 2) + "GARMIN TYP");
    typ.replace(0x2F, 4, Le(family, 2) + Le(product, 2));
    return typ;
}

// Every subfile of a map file, by its full name, in directory order.
std::vector<std::pair<std::string, std::string>> Subfiles(const fs::path& file, std::string* blocks = nullptr)
{
    auto opened = ImgFile::Open(Utf8FromPath(file));
    const auto directory = opened ? ReadImgDirectory(opened.value()) : Result<ImgDirectory>::Failure(opened.error());
    EXPECT_TRUE(directory.ok()) << directory.error();
    std::vector<std::pair<std::string, std::string>> found;
    for (const ImgSubfile& s : directory ? directory.value().subfiles : std::vector<ImgSubfile>{}) {
        found.emplace_back(s.FullName(), ReadSubfileHead(opened.value(), directory.value(), s, s.size).value_or("?"));
        for (std::size_t i = 1; blocks && i < s.blocks.size(); ++i)
            if (s.blocks[i] != s.blocks[i - 1] + 1)
                *blocks += s.FullName() + " ";
    }
    return found;
}

// Everything in a folder, each file with its size, for "nothing was left behind".
std::string Listing(const fs::path& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = entry.is_regular_file() ? fx::ReadBytes(entry.path()) : "(folder)";
    std::string listing;
    for (const auto& [name, bytes] : files)
        listing += name + ":" + std::to_string(bytes.size()) + ":" + std::to_string(std::hash<std::string>()(bytes)) + " ";
    return listing;
}

// The maps of the plan tables, each in a folder of its own where its name says so.
class Maps {
public:
    Maps()
    {
        Put("a/63240001.img", Tile("63240001"));
        Put("a/63240002.img", Tile("63240002"));
        Put("b/63240001.img", Tile("63240001", 500));
        Put("c/set.img", Joined({{{"MAKEGMAP", "MPS", Record('V', std::string("Set\0\0", 5)), 0}},
                                 Tile("63240003"), Tile("63240002"),
                                 {{"STYLE", "TYP", TypBytes(6324, 1), 0}, {"00006324", "SRT", "sort", 0},
                                  {"00006324", "MDR", "index", 0}}}));
        Put("d/nt.img", {{"63240009", "GMP", "packed", 0}});
        fx::WriteBytes(Path("d/text.img"), "not a map");
        Put("d/cut.img", Tile("63240008", 4000));
        fs::resize_file(Path("d/cut.img"), fs::file_size(Path("d/cut.img")) - 1000);
        Put("d/nothing.img", {{"MAKEGMAP", "MPS", "", 0}});
#ifndef _WIN32
        mkfifo(Path("d/pipe.img").c_str(), 0600);
#endif
    }
    fs::path Path(const std::string& name) const { return dir_.path() / name; }
    void Put(const std::string& name, const std::vector<fx::SubfileSpec>& subfiles, unsigned blockSize = 512,
             std::uint8_t xorByte = 0, bool scattered = false)
    {
        fs::create_directories(Path(name).parent_path());
        fx::WriteContainer(Path(name), subfiles, blockSize, xorByte, scattered);
    }
    std::vector<std::string> Paths(const std::string& names) const
    {
        std::vector<std::string> paths;
        std::istringstream in(names);
        for (std::string name; in >> name;)
            paths.push_back(Utf8FromPath(Path(name)));
        return paths;
    }
    // A path in messages without the test's folder.
    std::string Short(const std::string& text) const
    {
        std::string shortened = text;
        const std::string root = dir_.folder();
        for (std::size_t at; (at = shortened.find(root)) != std::string::npos;)
            shortened.erase(at, root.size());
        return shortened;
    }
    std::string Describe(const CombinedPlan& plan) const
    {
        std::string text = "tiles";
        for (const CombinedTile& tile : plan.Tiles())
            text += " " + tile.name;
        text += "; maps " + std::to_string(plan.MapCount()) + "; typ " + std::to_string(plan.TypCount()) + ";";
        for (const CombinedClash& clash : plan.Clashes())
            text += " " + Short(clash.later) + "<" + Short(clash.earlier) + ":" + clash.subfile;
        for (const CombinedUnusable& u : plan.Unusable())
            text += " !" + Short(u.path);
        return text;
    }

private:
    fx::TempDir dir_;
};

// Which maps go in, which clash with an earlier one, and which cannot go in at all, before and after the later
// clashing tiles are left out.
TEST(CombinedMap, ThePlanNamesClashesAndUnusableMapsAndLeavesTheLaterTilesOut)
{
    const struct { const char* maps; const char* planned; const char* leftOut; } cases[] = {
        {"a/63240001.img a/63240002.img", "tiles 63240001 63240002; maps 2; typ 0;", "tiles 63240001 63240002; maps 2; typ 0;"},
        {"a/63240001.img b/63240001.img", "tiles 63240001 63240001; maps 2; typ 0; b/63240001.img<a/63240001.img:63240001.TRE",
         "tiles 63240001; maps 1; typ 0;"},
        // A combined map is taken apart: its clashing tile goes, its other tile and its look stay.
        {"a/63240002.img c/set.img", "tiles 63240002 63240003 63240002; maps 2; typ 1; c/set.img<a/63240002.img:63240002.TRE",
         "tiles 63240002 63240003; maps 2; typ 1;"},
        {"c/set.img a/63240002.img b/63240001.img",
         "tiles 63240003 63240002 63240002 63240001; maps 3; typ 1; a/63240002.img<c/set.img:63240002.TRE",
         "tiles 63240003 63240002 63240001; maps 2; typ 1;"},
        {"d/nt.img a/63240001.img d/text.img d/cut.img d/nothing.img d/pipe.img d/gone.img",
         "tiles 63240001; maps 1; typ 0; !d/nt.img !d/text.img !d/cut.img !d/nothing.img !d/pipe.img !d/gone.img",
         "tiles 63240001; maps 1; typ 0; !d/nt.img !d/text.img !d/cut.img !d/nothing.img !d/pipe.img !d/gone.img"},
        {"d/text.img d/nt.img", "None of the maps can go into a combined map file:\nd/text.img\nd/nt.img", ""},   // no plan
    };
    Maps maps;
    for (const auto& c : cases) {
        Result<CombinedPlan> plan = PlanCombinedMap(maps.Paths(c.maps), "");
        EXPECT_EQ(plan ? maps.Describe(plan.value()) : maps.Short(plan.error()), c.planned) << c.maps;
        if (plan)
            plan.value().LeaveOutClashes();
        EXPECT_EQ(plan ? maps.Describe(plan.value()) : "", c.leftOut) << c.maps;
    }
    const Result<CombinedPlan> packed = PlanCombinedMap(maps.Paths("d/nt.img a/63240001.img"), "");
    EXPECT_EQ(maps.Short(packed.value().Unusable().at(0).why),
              "The map file \"d/nt.img\" holds its tiles in the newer packed form (a GMP subfile), which a combined map "
              "file cannot carry.");
}

// Every subfile of every tile lands under its own name with its own bytes on blocks of its own, whatever the
// source's block size, XOR byte or block order; the file is as long as planned, and progress ends at the totals.
TEST(CombinedMap, TheFileHoldsEverySubfileOfEveryTileByteForByte)
{
    const struct { unsigned blockSize; std::uint8_t xorByte; bool scattered; std::size_t rgnSize; } cases[] = {
        {512, 0, false, 300}, {2048, 0x5A, false, 300}, {512, 0, true, 200'000},   // 391 blocks: two entries
        {4096, 0x21, true, 1'500'000},
    };
    for (const auto& c : cases) {
        Maps maps;
        maps.Put("x/63240005.img", Tile("63240005", c.rgnSize), c.blockSize, c.xorByte, c.scattered);
        const auto paths = maps.Paths("a/63240001.img x/63240005.img c/set.img");
        Result<CombinedPlan> plan = PlanCombinedMap(paths, "Alps and Dolomites 2026");
        ASSERT_TRUE(plan.ok()) << plan.error();
        plan.value().LeaveOutClashes();
        std::vector<CombinedProgress> calls;
        const fs::path target = maps.Path("out/gmapsupp.img");
        fs::create_directories(target.parent_path());
        const Status written =
            WriteCombinedMap(plan.value(), Utf8FromPath(target), [&](const CombinedProgress& p) { return calls.push_back(p), true; });
        ASSERT_TRUE(written.ok()) << written.error();
        std::map<std::string, std::string> expected;
        for (const std::string& path : paths)
            for (const auto& [name, bytes] : Subfiles(PathFromUtf8(path)))
                expected.emplace(name, bytes);   // the first holder of a name
        std::string names, scattered;
        for (const auto& [name, bytes] : Subfiles(target, &scattered)) {
            names += name + " ";
            EXPECT_TRUE(name == "MAKEGMAP.MPS" || expected.at(name) == bytes) << name << " from a block size of " << c.blockSize;
        }
        EXPECT_EQ(names, "MAKEGMAP.MPS 63240001.TRE 63240001.RGN 63240001.LBL 63240005.TRE 63240005.RGN 63240005.LBL "
                         "63240003.TRE 63240003.RGN 63240003.LBL 63240002.TRE 63240002.RGN 63240002.LBL STYLE.TYP 00006324.SRT ");
        EXPECT_EQ(scattered, "") << "every subfile on contiguous blocks";
        ASSERT_FALSE(calls.empty());
        const CombinedProgress& end = calls.back();
        const std::uint64_t size = plan.value().FileSize();
        EXPECT_EQ(std::tuple(end.mapsDone, end.mapsTotal, end.bytesDone, end.bytesTotal, fs::file_size(target)),
                  std::tuple(3u, 3u, size, size, size));
        // The marks, the description, the boot signature; no XOR, not hidden, a checksum of zero.
        const std::string h = fx::ReadBytes(target).substr(0, 512);
        EXPECT_EQ(h.substr(0x10, 7) + h.substr(0x41, 7) + h.substr(0x49, 20) + h.substr(0x65, 31) + h.substr(0x1FE) + h[0] + h[0x0E] + h[0x0F],
                  std::string("DSKIMG\0GARMIN\0Alps and Dolomites 2026", 37) + std::string(27, ' ') + std::string("\0\x55\xAA\0\0\0", 6));
        EXPECT_EQ(fs::exists(CombinedTemporaryName(Utf8FromPath(target))), false);
    }
}

// The product list: a map record per tile with its product's ids (from a TDB file beside it, else a TYP file
// beside it, else a combined map's own list, else the defaults), a family record per product, the mapset.
TEST(CombinedMap, TheProductListNamesEachTilesProductAndTheMapset)
{
    const std::string tdb = Record('P', Le(7, 2) + Le(4711, 2) + Le(407, 2) + std::string("Series\0", 7) + Le(100, 2) +
                                            std::string("Family\0", 7));
    const std::string listedTile = Record('L', Le(2, 2) + Le(900, 2) + Le(63240003, 4) + std::string("S\0D\0A\0", 6) +
                                                   Le(63240003, 4) + Le(0, 4)),
                      listedFamily = Record('F', Le(2, 2) + Le(900, 2) + std::string("Listed\0", 7));
    // The first tile's product and family ids, its series and family names, and the mapset's name, as written.
    const struct { std::string besideTile, bytes, mapsetName; unsigned product, family; std::string series, familyName, mapset; } cases[] = {
        {"", "", "", 1, 6324, "MAPWREN combined map", "MAPWREN combined map", "MAPWREN combined map"},
        {"osmmap.tdb", tdb, "Alps", 7, 4711, "Series", "Family", "Alps"},
        {"style.typ", TypBytes(77, 3), "Alps \xC3\xA9t\xC3\xA9 \xE2\x82\xAC", 3, 77, "Alps \xE9t\xE9 ?", "Alps \xE9t\xE9 ?", "Alps \xE9t\xE9 ?"},
    };
    for (const auto& c : cases) {
        Maps maps;
        maps.Put("e/set.img", Joined({{{"MAKEGMAP", "MPS", listedTile + listedFamily, 0}}, Tile("63240003")}));
        if (!c.besideTile.empty())
            fx::WriteBytes(maps.Path("a/" + c.besideTile), c.bytes);
        Result<CombinedPlan> plan = PlanCombinedMap(maps.Paths("a/63240001.img e/set.img"), c.mapsetName);
        ASSERT_TRUE(plan.ok()) << plan.error();
        const std::string ids = Le(c.product, 2) + Le(c.family, 2);
        EXPECT_EQ(CombinedMpsBytes(plan.value()),
                  Record('L', ids + Le(63240001, 4) + c.series + std::string("\0Generated map\0\0", 16) + Le(63240001, 4) + Le(0, 4)) +
                      listedTile + Record('F', ids + c.familyName + '\0') + listedFamily +
                      Record('V', c.mapset + std::string(2, '\0')))
            << c.besideTile;
        EXPECT_EQ(plan.value().TypCount(), c.besideTile == "style.typ" ? 1u : 0u);
    }
}

// The block size gives the smallest file with at most 0xFFFE blocks and a directory of at most 240 blocks, for
// any real size (more than 4 GiB too); the maps' subfiles are left sparse, as only their directories are read.
TEST(CombinedMap, TheBlockSizeGivesTheSmallestFileThatFits)
{
    const struct { std::vector<std::uint64_t> rgnSizes; unsigned blockSize; std::uint64_t fileSize; } cases[] = {
        {{100}, 512, 9 * 512},
        {{40'000'000}, 4096, 9774ull * 4096},         // larger blocks than 512 make a shorter directory
        {{4'000'000'000, 1'500'000'000}, 131072, 0},  // over 4 GiB in all
    };
    for (const auto& c : cases) {
        Maps maps;
        std::string names;
        for (std::size_t i = 0; i < c.rgnSizes.size(); ++i) {
            const std::string name = "6324010" + std::to_string(i);
            maps.Put("big/" + name + ".img", {{name, "TRE", fx::TreBytes(51, 11, 50, 10), 0}, {name, "RGN", "", c.rgnSizes[i]}}, 1 << 17);
            names += "big/" + name + ".img ";
        }
        Result<CombinedPlan> plan = PlanCombinedMap(maps.Paths(names), "");
        ASSERT_TRUE(plan.ok()) << plan.error();
        const auto layout = LayOut(plan.value());
        ASSERT_TRUE(layout.has_value());
        EXPECT_EQ(plan.value().BlockSize(), c.blockSize) << c.rgnSizes[0];
        EXPECT_EQ(c.fileSize ? plan.value().FileSize() : 0, c.fileSize);   // 0: any size that fits
        EXPECT_LE(layout->totalBlocks, 0xFFFEu);
        EXPECT_LE(layout->headerBlocks, 240u);
        EXPECT_GT(plan.value().FileSize(), std::accumulate(c.rgnSizes.begin(), c.rgnSizes.end(), std::uint64_t{0}));
    }
}

#ifndef _WIN32
// Runs work in a child process (as another user when asked), so a write can meet a folder it may not write to
// even when the tests run as root, or a file size limit: what the child writes to its standard output, and the
// message work returns, come back through a pipe.
std::string InChild(const std::function<std::string()>& work, bool asNobody = false, rlim_t sizeLimit = RLIM_INFINITY)
{
    int fds[2];
    if (pipe(fds) != 0)
        return "no pipe";
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], 1);
        close(fds[0]);
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{sizeLimit, sizeLimit};
        setrlimit(RLIMIT_FSIZE, &limit);   // RLIM_INFINITY when no limit is asked for
        if (asNobody && getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        const std::string message = work();
        (void)!write(1, message.data(), message.size());
        _exit(0);
    }
    close(fds[1]);
    const std::string text = fx::ReadBytes("/dev/fd/" + std::to_string(fds[0]));   // until the child's end
    close(fds[0]);
    if (pid > 0)
        waitpid(pid, nullptr, 0);
    return text;
}
#endif

// Cancel and every failure leave the target's folder as it was: no temporary file, an existing target unchanged.
TEST(CombinedMap, CancelAndFailuresLeaveNothingBehind)
{
    const std::string cancelled = "Writing the combined map file \"out" + std::string(1, kPathSeparator) + "gmapsupp.img\" was cancelled.",
                      failed = "The combined map file \"out/gmapsupp.img\" could not be written: ";
    const struct { const char* what; std::string message; } cases[] = {
        {"cancel at once", cancelled},
        {"cancel after a map", cancelled},
        {"a map shrank", "The map file \"x/63240005.img\" became shorter while it was being copied."},
#ifndef _WIN32
        {"no write access", failed + "Permission denied."},
        // A small tmpfs where it can be mounted (as root), else a limit on the file's size.
        {"full disk", failed + "No space left on device."},
        {"target is a folder", failed + "Is a directory."},
#endif
    };
    for (const auto& c : cases) {
        Maps maps;
        const std::string what = c.what;
        maps.Put("x/63240005.img", Tile("63240005", 3'000'000));
        const fs::path out = maps.Path("out");
        fs::create_directories(out);
        bool mounted = false;
#ifndef _WIN32
        if (what == "full disk" && getuid() == 0)
            mounted = mount("tmpfs", out.c_str(), "tmpfs", 0, "size=1m") == 0;
#endif
        if (what == "target is a folder")
            fs::create_directories(out / "gmapsupp.img" / "inside");
        else
            fx::WriteBytes(out / "gmapsupp.img", "the receiver's old maps");
        Result<CombinedPlan> plan = PlanCombinedMap(maps.Paths("a/63240001.img x/63240005.img a/63240002.img"), "");
        ASSERT_TRUE(plan.ok());
        if (what == "a map shrank")
            fs::resize_file(maps.Path("x/63240005.img"), 100'000);
        if (what == "no write access")
            fs::permissions(out, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
        const std::string before = Listing(out);
        const auto write = [&] {
            return WriteCombinedMap(plan.value(), Utf8FromPath(out / "gmapsupp.img"), [&](const CombinedProgress& p) {
                       return !(what == "cancel at once" || (what == "cancel after a map" && p.mapsDone == 1));
                   }).error();
        };
#ifdef _WIN32
        const std::string message = write();
#else
        const std::string message =
            InChild(write, what == "no write access", what == "full disk" && !mounted ? 1'000'000 : RLIM_INFINITY);
#endif
        EXPECT_EQ(maps.Short(message), what == "full disk" && !mounted ? failed + "File too large." : c.message) << what;
        EXPECT_EQ(Listing(out), before) << what;
#ifndef _WIN32
        if (mounted)
            umount(out.c_str());
#endif
        fs::permissions(out, fs::perms::owner_all, fs::perm_options::add);
    }
}

#ifndef _WIN32
// What a program prints, started with one argument (no shell).
std::string Output(const char* program, const std::string& argument)
{
    return InChild([&] { return execl(program, program, argument.c_str(), nullptr), std::string(); });
}

// Readers we did not write agree: tiles made by Debian's mkgmap go in byte for byte and as mkgmap's own combined
// file holds them, the header's disk geometry and partition fields (which old readers expect) are those mkgmap
// writes for a file of the same size, and libgarmin finds every tile and its road in the file, and none in a
// cut-off copy. The tile map finds each tile where it lies in mkgmap's files and in ours.
TEST(CombinedMap, MkgmapsTilesGoInAsMkgmapCombinesThemWithItsDiskGeometryAndLibgarminReadsThem)
{
    fx::TempDir dir;
    for (const int west : {10, 11})
        fx::WriteRoadOsm(dir.path() / (std::to_string(west) + ".osm"), west);
    const std::optional<int> status =   // the second tile takes the next map number
        fx::RunMkgmap(dir.path(), {"--gmapsupp", "--mapname=63240001", (dir.path() / "10.osm").string(), (dir.path() / "11.osm").string()});
    if (!status)
        GTEST_SKIP() << "mkgmap is not installed";
    ASSERT_EQ(*status, 0);
    const std::vector<std::string> tiles = {Utf8FromPath(dir.path() / "63240001.img"), Utf8FromPath(dir.path() / "63240002.img")};
    Result<CombinedPlan> plan = PlanCombinedMap(tiles, "");
    ASSERT_TRUE(plan.ok()) << plan.error();
    fs::create_directories(dir.path() / "out");
    const fs::path ours = dir.path() / "out" / "gmapsupp.img";
    ASSERT_TRUE(WriteCombinedMap(plan.value(), Utf8FromPath(ours), nullptr).ok());

    const auto got = Subfiles(ours);
    std::map<std::string, std::string> written(got.begin(), got.end());
    const auto compared = [&](const fs::path& file) {   // each tile subfile's name, and whether ours holds it as the file does
        std::string text;
        for (const auto& [name, bytes] : Subfiles(file))
            if (name.find(".MPS") == std::string::npos && name.find(".SRT") == std::string::npos)
                text += name + (written.count(name) && written.at(name) == bytes ? " " : " differs ");
        return text;
    };
    const std::string fromTiles = compared(PathFromUtf8(tiles[0])) + compared(PathFromUtf8(tiles[1]));
    EXPECT_EQ(fromTiles, "63240001.RGN 63240001.TRE 63240001.LBL 63240002.RGN 63240002.TRE 63240002.LBL ");
    EXPECT_EQ(compared(dir.path() / "gmapsupp.img"), fromTiles);
    EXPECT_EQ(written.size(), 7u) << "the tiles' subfiles and the product list";
    // The first map record: the ids and series name of the TDB file mkgmap wrote beside the tiles, the tile's name.
    EXPECT_EQ(written["MAKEGMAP.MPS"].substr(3, 31), Le(1, 2) + Le(6324, 2) + Le(63240001, 4) +
                                                         std::string("OSM map\0OSM street map\0", 23));
    const auto at = [](double degrees) { return std::to_string(std::lround(degrees * 1000)); };   // in thousandths
    std::string places;
    for (const fs::path& file : {PathFromUtf8(tiles[0]), PathFromUtf8(tiles[1]), dir.path() / "gmapsupp.img", ours}) {
        const auto read = ReadTilePlaces(Utf8FromPath(file));
        for (const TilePlace& t : read ? read.value() : std::vector<TilePlace>{})
            places += t.name + ":" + at(t.bounds.west) + "," + at(t.bounds.north) + "," + at(t.bounds.east) + "," +
                      at(t.bounds.south) + " ";
    }
    const std::string both = "63240001:10000,50500,10750,50000 63240002:11000,50500,11750,50000 ";
    EXPECT_EQ(places, both + both + both);

    std::vector<fx::SubfileSpec> tile;
    for (const auto& [name, bytes] : Subfiles(PathFromUtf8(tiles[0])))
        tile.push_back({name.substr(0, name.find('.')), name.substr(name.find('.') + 1), bytes, 0});
    for (const std::uint64_t extra : {0ull, 3'000'000ull, 40'000'000ull, 300'000'000ull}) {   // an elevation subfile as large
        const fs::path folder = dir.path() / std::to_string(extra);
        fs::create_directories(folder);
        fx::WriteContainer(folder / "63240001.img", extra ? Joined({tile, {{"63240001", "DEM", "", extra}}}) : tile, 65536);
        ASSERT_EQ(fx::RunMkgmap(folder, {"--gmapsupp", (folder / "63240001.img").string()}), 0);
        const std::string theirs = fx::ReadBytes(folder / "gmapsupp.img").substr(0, 512);
        const unsigned exponent = static_cast<unsigned>(theirs[0x61] + theirs[0x62]);
        const auto blocks = static_cast<std::uint32_t>(fs::file_size(folder / "gmapsupp.img") >> exponent);
        const std::string header = CombinedDiskHeader("", exponent, blocks, std::tm{});
        for (const auto& [from, to] : {std::pair{0x17, 0x1E}, {0x5D, 0x65}, {0x1BE, 0x1CE}, {0x1FE, 0x200}})
            EXPECT_EQ(header.substr(from, to - from), theirs.substr(from, to - from)) << extra << " at " << from;
    }
#ifdef MAPWREN_GARMIN_CHECK
    EXPECT_EQ(Output(MAPWREN_GARMIN_CHECK, Utf8FromPath(ours)), "tiles 2 roads ROAD 10, ROAD 11\n");
    const fs::path cut = dir.path() / "cut.img";
    fx::WriteBytes(cut, fx::ReadBytes(ours).substr(0, fs::file_size(ours) / 2));
    EXPECT_EQ(Output(MAPWREN_GARMIN_CHECK, Utf8FromPath(cut)), "tiles 0 roads\n");
#else
    std::cout << "libgarmin is not installed: the file is not read with it\n";
#endif
}
#endif

} // namespace
} // namespace mapwren
