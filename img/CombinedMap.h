#pragma once

// Stand-in for the combined map writer until the real one lands; the shape
// the window codes against.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "common/Result.h"

namespace mapwren {

struct CombinedClash {
    std::string later, earlier, subfile;
};
struct UnusableMap {
    std::string path, reason;
};

struct CombinedPlan {
    std::vector<CombinedClash> clashes;
    std::vector<UnusableMap> unusable;
    struct Input { std::string path; std::uint64_t bytes = 0; std::string name; };
    std::vector<Input> inputs;
    std::string mapsetName;

    void LeaveOutClashes();
    void LeaveOutUnusable();
    std::uint64_t FileBytes() const;
    std::size_t TileCount() const { return inputs.size(); }
    std::size_t MapCount() const { return inputs.size(); }
};

Result<CombinedPlan> PlanCombinedMap(const std::vector<std::string>& paths, const std::string& mapsetName);

struct CombinedProgress {
    std::size_t mapsDone = 0, mapsTotal = 0;
    std::uint64_t bytesDone = 0, bytesTotal = 0;
};
Status WriteCombinedMap(const CombinedPlan& plan, const std::string& target,
                        const std::function<bool(const CombinedProgress&)>& progress);

} // namespace mapwren
