// The tile map: where tiles are drawn, what a click, a box, the wheel, a right drag and Home do, and that it shows
// the grid's ticks.
#include <cmath>

#include "app/FormFixture.h"
#include "tilemap/WorldOutlines.h"
#include "tilemap/frmTileMap.h"
#include "tilemap/frmTileMapDesign.h"

namespace mapwren::testing {
namespace {

constexpr GeoPoint kLine[] = {{10, 51}, {11, 50}};
constexpr std::span<const GeoPoint> kOutlines[] = {kLine};

std::string Number(double value) { return (std::ostringstream() << std::round(value * 1000) / 1000).str(); }

// A started form with one map file per entry (tiles as given, none: a map without them) loaded by Load Folder,
// and its tile map on a 400 x 300 pixel area.
struct Tiles : Form {
    std::unique_ptr<frmTileMap> map;
    explicit Tiles(const std::vector<std::pair<std::string, std::vector<TileSpec>>>& files, std::uint8_t xorByte = 0,
                   bool open = true)
    {
        for (const auto& [file, tiles] : files)
            tiles.empty() ? WriteImg(Maps() / file, "Map " + file, "") : WriteTileImg(Maps() / file, "Map " + file, tiles, xorByte);
        if (open)
            Run("load"), Open();
    }
    void Open()
    {
        map = std::make_unique<frmTileMap>(*w, kOutlines);
        map->Resize(400, 300);
    }
    std::string Geo(PixelPoint p) const { return Number(map->ToGeo(p).lon) + "," + Number(map->ToGeo(p).lat); }
    // Per drawn tile, in drawing order: "ROW:WEST,NORTH,EAST,SOUTH", "*" when filled, "?" when under the pointer.
    std::string Drawn() const
    {
        std::string text;
        for (const TileShape& s : map->Tiles())
            text += std::to_string(s.row) + ":" + Geo({s.rect.left, s.rect.top}) + "," + Geo({s.rect.right, s.rect.bottom}) +
                    (s.ticked ? "*" : "") + (s.hovered ? "?" : "") + " ";
        return text;
    }
    std::string View() { return map->Tiles(), Geo({200, 150}) + " " + Number(map->PixelsPerDegree()); }   // as drawn
    // Steps: "cLON,LAT" a left click there, "bLON,LAT,LON,LAT" a left drag between, "wNOTCHES,X,Y" the wheel,
    // "rX,Y,X,Y" a right drag in pixels, "mLON,LAT" the pointer moved there, "home" the Home key; else Form::Run's.
    void Act(const std::string& steps)
    {
        std::istringstream in(steps);
        for (std::string s; in >> s;) {
            double a, b, c, d;
            const int n = std::sscanf(s.c_str() + 1, "%lf,%lf,%lf,%lf", &a, &b, &c, &d);
            const auto at = [&](double lon, double lat) { return map->ToPixels({lon, lat}); };
            if (s[0] == 'c' && n == 2)
                map->MouseDown(1, 0, at(a, b).x, at(a, b).y), map->MouseUp(1, 0, at(a, b).x + 3, at(a, b).y);
            else if (s[0] == 'b' && n == 4)
                map->MouseDown(1, 0, at(a, b).x, at(a, b).y), map->MouseMove(1, 0, at(c, d).x, at(c, d).y),
                    map->MouseUp(1, 0, at(c, d).x, at(c, d).y);
            else if (s[0] == 'w' && n == 3)
                map->MouseWheel(a, b, c);
            else if (s[0] == 'r' && n == 4)
                map->MouseDown(2, 0, a, b), map->MouseMove(2, 0, c, d), map->MouseUp(2, 0, c, d);
            else if (s[0] == 'm' && n == 2)
                map->MouseMove(0, 0, at(a, b).x, at(a, b).y);
            else if (s == "home")
                map->KeyDown(kKeyHome, 0);
            else
                Run(s);
        }
    }
    // What a tick changes in the main window, the text the upload tool gets included.
    std::string State() const
    {
        std::string files;   // by file name, as the two forms' folders differ (and, on Windows, their short forms)
        for (const std::string& path : w->Maps().SelectedFiles())
            files += " " + path.substr(path.find_last_of("\\/") + 1);
        return Ticks() + " " + Cell() + " " + Captions() + " " + ListButtons() + Enabled({"cmdEraseGPS"}) + files;
    }
};

// Bounds a tile cannot have (outside the world, north below south) are no place: such a file is named with the others.
TEST(TileMap, EachTileIsDrawnWhereItsHeaderSaysOverTheOutlinesAndMapsWithoutPlaceAreNamed)
{
    for (const std::uint8_t xorByte : {0x00, 0x5A}) {
        Tiles f({{"a.img", {{"a", 51, 11, 50, 10}}},
                 {"b.img", {{"b", -33.5, -70.25, -34, -71}}},
                 {"c.img", {{"63240001", 48, 8, 47, 7}, {"63240002", 48, 9, 47, 8}}},
                 {"d.img", {}},
                 {"f.img", {{"f", 1, 1, 0, 0}}},
                 {"p.img", {{"p", 90, 179.5, -90, -180}}},   // the whole world
                 {"q.img", {{"q", 10, -179, 9, 179}}},       // across the 180th meridian
                 {"r.img", {{"r", 91, 11, 50, 10}}},
                 {"s.img", {{"s", 51, 11, -90.5, 10}}},
                 {"t.img", {{"t", 50, 11, 51, 10}}},
                 {"u.img", {{"u", 51, 11, 50, 10}, {"u2", 179, 11, 178, 10}}},   // one tile of a combined file
                 {"v.img", {{"v", 40, 11, 41, 10}}},
                 {"w.img", {{"w", 92, 11, 91, 10}}}}, xorByte, false);
        WriteBytes(f.Maps() / "e.img", "not a map");
        WriteTileImg(f.Maps() / "g.img", "Map g.img", {{"g", 60.5, -1, 60, -2}}, xorByte, 8192);   // past the first read
        f.Run("load");
        fs::remove(f.Maps() / "f.img");   // gone since the load
        f.LoadList("l.mwl", "mapwren Auto\r\n" + f.MapsText() + "gone.img\r\n");
        f.Open();
        EXPECT_EQ(f.Drawn(), "7:-180,90,179.5,-90 8:179,10,181,9 0:10,51,11,50 2:7,48,8,47 2:8,48,9,47 6:-2,60.5,-1,60 "
                             "1:-71,-33.5,-70.25,-34 ") << int(xorByte);
        EXPECT_EQ(f.map->StatusText(),
                  "Not on the map, as where they lie could not be read: d.img, f.img, r.img, s.img, t.img and 3 more");
        const std::vector<PixelPoint> line = f.map->Outlines().at(0);
        EXPECT_EQ(f.Geo(line.at(0)) + " " + f.Geo(line.at(1)), "10,51 11,50");
    }
}

// Where maps lie is read as the window opens and as rows change, under the busy pointer, and never as it is drawn:
// a map file rewritten once the busy pointer has gone is still drawn where it lay.
TEST(TileMap, MapFilesAreReadAsTheWindowOpensAndAsRowsChangeUnderTheBusyPointer)
{
    Tiles f({{"a.img", {{"a", 51, 11, 50, 10}}}}, 0, false);
    f.Run("load");
    std::string busyAtOpening;
    f.desktop.onTileMapWindow = [&] { busyAtOpening = f.desktop.busy, f.Open(); };
    f.desktop.onBusyGone = [&] {
        for (const char* file : {"a.img", "b.img"})
            WriteTileImg(f.Maps() / file, "Moved", {{"m", 11, 21, 10, 20}});
    };
    f.desktop.busy.clear();
    f.Run("mnuTileMap");
    EXPECT_EQ(busyAtOpening + " " + f.Drawn(), "[ 0:10,51,11,50 ");
    WriteTileImg(f.Maps() / "b.img", "Map b.img", {{"b", 49, 11, 48, 10}});
    f.Run("load");   // a.img again, and b.img
    EXPECT_EQ(f.Drawn(), "2:10,49,11,48 0:10,51,11,50 1:10,51,11,50 ");
}

// The window opens at the top of the screen's work area, centred across the main window, whole on the screen.
TEST(TileMap, OpensAtTheTopCentredAcrossTheMainWindowAndOnTheScreen)
{
    const ScreenRect work{0, 30, 1366, 768};
    const struct { ScreenRect main; int width; ScreenPlace expected; } cases[] = {
        {{283, 100, 1083, 560}, 800, {283, 30}},
        {{-300, 100, 500, 560}, 800, {0, 30}},       // would cross the left edge
        {{1000, 100, 1800, 560}, 800, {566, 30}},    // the right edge
        {{283, 100, 1083, 560}, 1500, {0, 30}},      // wider than the screen
    };
    for (const auto& c : cases)
        EXPECT_EQ(TileMapOpeningPlace(c.main, work, c.width), c.expected) << c.main.left << " " << c.width;
}

// Each click or box on the map leaves the main window as the presses on tick cells do; rows a, b, c and the
// overview o, which holds them all; b and c lie on the same place.
TEST(TileMap, ClicksAndBoxesTickAsPressesOnTheTickCellsDo)
{
    const struct { const char* onMap; const char* onGrid; } cases[] = {
        {"c10.5,50.5", "p1,0"},                      // the smallest tile under the pointer
        {"c11.5,50.5", "p3,0"},                      // of equal ones the later row
        {"c5,45", "p4,0"},
        {"c30,30 c10.5,50.5 c10.5,50.5", "p1,0 p1,0"},
        {"c5,45 cmdSelectAll c11.5,50.5", "p4,0 cmdSelectAll p3,0"},
        {"b10.2,50.8,11.5,50.2", "p1,0 p2,0 p3,0 p4,0"},   // every tile it overlaps, in the grid's order
        {"c11.5,50.5 b11.5,50.2,10.2,50.8", "p3,0 p1,0 p2,0 p4,0"},
        {"optUSB mnuUseSendmap1 c10.5,50.5", "optUSB mnuUseSendmap1 p1,0"},
    };
    const std::vector<std::pair<std::string, std::vector<TileSpec>>> files = {
        {"a.img", {{"a", 51, 11, 50, 10}}}, {"b.img", {{"b", 51, 12, 50, 11}}},
        {"c.img", {{"c", 51, 12, 50, 11}}}, {"o.img", {{"o", 60, 20, 40, 0}}}};
    for (const auto& c : cases) {
        Tiles onMap(files), onGrid(files);
        onMap.Act(c.onMap);
        onGrid.Run(c.onGrid);
        EXPECT_EQ(onMap.State(), onGrid.State()) << c.onMap;
    }
}

TEST(TileMap, TheWheelZoomsAroundThePointerARightDragPansAndHomeFitsAll)
{
    const struct { const char* act; double addedWest; std::string view; } steps[] = {
        {"", 0, "11,50.5 190"},            // two tiles side by side fill 95 % of the width
        {"load", 16, "13.5,50.5 54.286"},  // while fitted the view follows added maps
        {"w2,100,75", 0, "12.579,51.191 108.572"},
        {"r100,75,300,175", 0, "10.737,52.112 108.572"},   // what lay under the pointer follows it
        {"load", 20, "10.737,52.112 108.572"},             // a moved view stays
        {"home", 0, "15.5,50.5 34.545"},
        {"w-1,200,150", 0, "15.5,50.5 24.427"},
    };
    Tiles f({{"a.img", {{"a", 51, 11, 50, 10}}}, {"b.img", {{"b", 51, 12, 50, 11}}}});
    for (const auto& s : steps) {
        if (s.addedWest != 0)
            WriteTileImg(f.Maps() / ("z" + Number(s.addedWest) + ".img"), "z", {{"z", 51, s.addedWest + 1, 50, s.addedWest}});
        f.Act(s.act);
        EXPECT_EQ(f.View(), s.view) << s.act;
    }
}

// An outline crossing the 180th meridian is cut there: joined, it would be drawn the long way round, across the world.
TEST(WorldOutlines, NoneCrossesTheDateLine)
{
    double longest = 0;   // degrees of longitude between neighbouring points; the 49th parallel's border has 28
    for (const std::span<const GeoPoint> outline : WorldOutlines())
        for (std::size_t i = 1; i < outline.size(); ++i)
            longest = std::max(longest, std::abs(outline[i].lon - outline[i - 1].lon));
    EXPECT_LT(longest, 90);
}

// Esc closes the window as it closes a dialog; other keys leave it open.
TEST(TileMap, EscClosesTheWindow)
{
    Tiles f({{"a.img", {{"a", 51, 11, 50, 10}}}});
    for (const auto& [key, used] : {std::pair{kKeyHome, true}, {int('A'), false}, {kKeyReturn, false}, {kKeyEscape, true}}) {
        EXPECT_EQ(f.map->KeyDown(key, 0), used) << key;
        EXPECT_EQ(f.map->CloseRequested(), key == kKeyEscape) << key;
    }
}

// The map shows the grid's ticks whichever way they were made, the tile under the pointer and the box being drawn.
TEST(TileMap, TheMapShowsTheGridsTicksThePointedTileAndTheBox)
{
    const std::string a = "a.img\nMap a.img\n8192 bytes", c2 = "c.img, tile 63240002\nMap c.img\n12288 bytes";
    const struct { const char* act; std::string drawn, tip; } steps[] = {
        {"m10.5,50.5", "0:10,51,11,50? 1:7,48,8,47 1:8,48,9,47 ", a},
        {"p1,0 m8.5,47.5", "0:10,51,11,50* 1:7,48,8,47 1:8,48,9,47? ", c2},
        {"p0,1 p0,1", "0:7,48,8,47 0:8,48,9,47? 1:10,51,11,50* ", c2},   // sorted: c's row first
        {"cmdSelectAll m30,30", "0:7,48,8,47* 0:8,48,9,47* 1:10,51,11,50* ", ""},
        {"c10.5,50.5 m10.5,50.5", "0:7,48,8,47* 0:8,48,9,47* 1:10,51,11,50? ", a},
    };
    Tiles f({{"a.img", {{"a", 51, 11, 50, 10}}}, {"c.img", {{"63240001", 48, 8, 47, 7}, {"63240002", 48, 9, 47, 8}}}});
    for (const auto& s : steps) {
        f.Act(s.act);
        EXPECT_EQ(f.Drawn() + "| " + f.map->ToolTip(), s.drawn + "| " + s.tip) << s.act;
    }
    const PixelPoint from = f.map->ToPixels({7.5, 47.5}), to = f.map->ToPixels({8.5, 47.2});
    f.map->MouseDown(1, 0, from.x, from.y);
    f.map->MouseMove(1, 0, to.x, to.y);
    const auto box = f.map->SelectionBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(f.Geo({box->left, box->top}) + " " + f.Geo({box->right, box->bottom}) + " " + f.map->ToolTip(), "7.5,47.5 8.5,47.2 ");
    f.map->MouseUp(1, 0, to.x, to.y);
    f.map->MouseLeave();
    EXPECT_EQ(f.Drawn() + f.map->ToolTip(), "0:7,48,8,47* 0:8,48,9,47* 1:10,51,11,50 ");
}

} // namespace
} // namespace mapwren::testing
