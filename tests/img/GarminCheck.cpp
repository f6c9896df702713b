// Loads a map file with libgarmin, a reader MAPWREN's authors did not write, and prints the tiles it finds and the
// names of the roads in them: "tiles 2 roads ROAD 10, ROAD 11".
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

extern "C" {
#include <libgarmin.h>
}

static void Quiet(char*, int, int, char*, ...) {}

// libgarmin frees nothing before the program ends: a leak check in a sanitizer
// build would judge libgarmin, not the file it read.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    gar_config config{};
    config.opm = OPM_GPS;
    config.maxsubdivs = 100000;
    gar* garmin = gar_init_cfg(nullptr, Quiet, &config);
    int tiles = 0;
    std::set<std::string> roads;
    if (garmin && gar_img_load(garmin, argv[1], 1) > 0) {
        // In the map's own units (360 degrees in 2^24), just inside the world's edges.
        gar_rect world{DEGGAR(89.9), DEGGAR(-179.9), DEGGAR(-89.9), DEGGAR(179.9)};
        if (gmap* map = gar_find_subfiles(garmin, &world, 0)) {
            tiles = map->lastsub;
            // The most detailed level, given by its bits a coordinate (24).
            gobject* objects = nullptr;
            if (gar_get_objects(map, 24, &world, &objects, 0) > 0) {
                for (gobject* o = objects; o; o = o->next)
                    if (o->type == GO_POLYLINE || o->type == GO_ROAD)
                        if (char* label = gar_get_object_lbl(o)) {
                            roads.insert(label);
                            std::free(label);
                        }
                gar_free_objects(objects);
            }
            gar_free_gmap(map);
        }
    }
    std::string line = "tiles " + std::to_string(tiles) + " roads";
    for (const std::string& road : roads)
        line += (road == *roads.begin() ? " " : ", ") + road;
    std::puts(line.c_str());
    if (garmin)
        gar_free(garmin);
    return 0;
}
