// Writes a combined map file from map files, as the program's command does,
// for scripts/screenshot-combined-map and checks by hand:
//   mapwren_combine TARGET MAPSET_NAME MAP...
// Clashing later tiles are left out; what was left out is printed.
#include <cstdio>
#include <string>
#include <vector>

#include "img/CombinedMap.h"

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: mapwren_combine TARGET MAPSET_NAME MAP...\n");
        return 2;
    }
    const std::vector<std::string> maps(argv + 3, argv + argc);
    mapwren::Result<mapwren::CombinedPlan> plan = mapwren::PlanCombinedMap(maps, argv[2]);
    if (!plan) {
        std::fprintf(stderr, "%s\n", plan.error().c_str());
        return 1;
    }
    for (const mapwren::CombinedClash& clash : plan.value().Clashes())
        std::printf("left out: %s (%s is in %s)\n", clash.later.c_str(), clash.subfile.c_str(), clash.earlier.c_str());
    for (const mapwren::CombinedUnusable& unusable : plan.value().Unusable())
        std::printf("left out: %s\n", unusable.why.c_str());
    plan.value().LeaveOutClashes();
    const mapwren::Status written = mapwren::WriteCombinedMap(plan.value(), argv[1], nullptr);
    if (!written) {
        std::fprintf(stderr, "%s\n", written.error().c_str());
        return 1;
    }
    std::printf("%zu maps, %zu tiles, %llu bytes, written to %s\n", plan.value().MapCount(), plan.value().TileCount(),
                static_cast<unsigned long long>(plan.value().FileSize()), argv[1]);
    return 0;
}
