// Writes the demo's map files: Garmin ".img" headers with made-up map names,
// some in Windows-1252 letters, one stored XORed, one file name with blanks,
// a list file naming some of them and one map that is not there, and a photo
// named as a map, for the window's demo program folder.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct DemoMap {
    const char* file;
    const char* name;        // Windows-1252 bytes
    std::uintmax_t size;
    std::uint8_t xorByte;
};

// A Garmin map's two marks at 0x10 and 0x41, and the two name fields: 20
// bytes at offset 73, 30 at offset 101, blank-padded; all XORed.
bool WriteMap(const fs::path& path, const DemoMap& map)
{
    std::string header(131, '\0');
    header[0] = static_cast<char>(map.xorByte);
    for (const auto& [at, mark] : {std::pair<std::size_t, std::string>{0x10, "DSKIMG"}, {0x41, "GARMIN"}})
        for (std::size_t i = 0; i < mark.size(); ++i)
            header[at + i] = static_cast<char>(static_cast<std::uint8_t>(mark[i]) ^ map.xorByte);
    const std::string name = (std::string(map.name) + std::string(50, ' ')).substr(0, 50);
    for (std::size_t i = 0; i < 50; ++i) {
        const std::size_t offset = i < 20 ? 73 + i : 101 + (i - 20);
        header[offset] = static_cast<char>(static_cast<std::uint8_t>(name[i]) ^ map.xorByte);
    }
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(header.data(), static_cast<std::streamsize>(header.size()));
        if (!out)
            return false;
    }
    std::error_code ec;
    fs::resize_file(path, map.size, ec);   // the rest reads as zeros
    return !ec;
}

const std::vector<DemoMap> kMaps = {
    {"alps_east.img", "Alps East Topo 2005", 1843200, 0},
    {"alps_west.img", "Alps West Topo 2005", 2150400, 0},
    {"ardennes.img", "Ardennes Trails", 614400, 0},
    {"bavaria.img", "Bavaria Cycle Routes", 1228800, 0},
    {"black_forest.img", "Black Forest Hiking", 921600, 0},
    {"brittany.img", "Bretagne C\xF4te Sauvage", 512000, 0},
    {"cevennes.img", "C\xE9vennes Nord", 409600, 0},
    {"cote_azur.img", "C\xF4te d'Azur Routes", 716800, 0},
    {"dolomites.img", "Dolomiti Sentieri", 1536000, 0},
    {"Lake District.img", "Lake District Fells", 819200, 0},
    {"harz.img", "Harz Wanderkarte", 358400, 0},
    {"jura.img", "Jura Cr\xEAtes", 307200, 0},
    {"malaga.img", "M\xE1laga Costa del Sol", 665600, 0},
    {"mallorca.img", "Mallorca GR221", 256000, 0},
    {"norway_south.img", "S\xF8r-Norge Fjellkart", 2457600, 0},
    {"aero.img", "\xC6r\xF8 Cykelkort", 153600, 0},
    {"pyrenees.img", "Pyr\xE9n\xE9" "es GR10", 1331200, 0},
    {"scotland.img", "Highlands & Islands", 1740800, 0x5A},
    {"snowdonia.img", "Eryri Snowdonia", 460800, 0},
    {"tatra.img", "Tatry Szlaki", 563200, 0},
    {"tirol.img", "Tirol H\xFCttenwege", 1024000, 0},
    {"vosges.img", "Vosges Club Vosgien", 870400, 0},
    {"wales_coast.img", "Wales Coast Path", 384000, 0},
    {"zurich.img", "Z\xFCrich Oberland", 294912, 0},
    {"eifel.img", "Eifelsteig", 204800, 0},
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path folder = fs::absolute(argv[1]);
    std::error_code ec;
    fs::create_directories(folder, ec);
    std::ofstream list(folder / "demo.mwl", std::ios::binary | std::ios::trunc);
    list << "mapwren USB mapset:1 Demo Maps\r\n";
    for (std::size_t i = 0; i < kMaps.size(); ++i) {
        const fs::path path = folder / kMaps[i].file;
        if (!WriteMap(path, kMaps[i])) {
            std::fprintf(stderr, "cannot write %s\n", path.string().c_str());
            return 1;
        }
        if (i % 2 == 0)   // every other map, so Load Folder still has more to offer
            list << path.string() << "\r\n";
    }
    // A map moved away since the list was saved: its row shows the missing-file picture.
    list << (folder / "moved_away.img").string() << "\r\n";
    // A photo renamed: Load Folder greys its row and names it.
    std::ofstream(folder / "holiday_photo.img", std::ios::binary | std::ios::trunc) << "\xFF\xD8\xFF\xE0 JFIF photo";
    return list ? 0 : 1;
}
