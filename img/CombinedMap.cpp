// Stand-in: concatenates the inputs after a blank header, beside the target, then renames.
#include "img/CombinedMap.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "common/Paths.h"
#include "common/Text.h"

namespace mapwren {

namespace fs = std::filesystem;

void CombinedPlan::LeaveOutClashes()
{
    for (const CombinedClash& clash : clashes)
        std::erase_if(inputs, [&](const Input& input) { return input.path == clash.later; });
    clashes.clear();
}

void CombinedPlan::LeaveOutUnusable() { unusable.clear(); }

std::uint64_t CombinedPlan::FileBytes() const
{
    std::uint64_t bytes = 1024;
    for (const Input& input : inputs)
        bytes += input.bytes;
    return bytes;
}

Result<CombinedPlan> PlanCombinedMap(const std::vector<std::string>& paths, const std::string& mapsetName)
{
    CombinedPlan plan;
    plan.mapsetName = mapsetName;
    for (const std::string& path : paths) {
        std::ifstream in(PathFromUtf8(path), std::ios::binary);
        char head[0x50] = {};
        in.read(head, sizeof head);
        if (!in || std::string(head + 0x10, 6) != "DSKIMG") {
            plan.unusable.push_back({path, "it is not a map file"});
            continue;
        }
        const std::string name = ToUpperAscii(Utf8FromPath(PathFromUtf8(path).stem()));
        const auto earlier = std::ranges::find(plan.inputs, name, &CombinedPlan::Input::name);
        if (earlier != plan.inputs.end()) {
            plan.clashes.push_back({path, earlier->path, name + ".TRE"});
        }
        std::error_code ec;
        plan.inputs.push_back({path, fs::file_size(PathFromUtf8(path), ec), name});
    }
    if (plan.inputs.empty() && plan.unusable.empty())
        return Result<CombinedPlan>::Failure("No map was given.");
    return plan;
}

Status WriteCombinedMap(const CombinedPlan& plan, const std::string& target,
                        const std::function<bool(const CombinedProgress&)>& progress)
{
    const fs::path targetPath = PathFromUtf8(target);
    const fs::path temp = targetPath.parent_path() / (targetPath.filename().native() + PathFromUtf8(".part").native());
    CombinedProgress done{0, plan.MapCount(), 0, plan.FileBytes()};
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out)
            return Status::Failure("The folder could not be written to.");
        std::vector<char> buffer(1 << 20);
        out.write(buffer.data(), 1024);
        done.bytesDone = 1024;
        for (const auto& input : plan.inputs) {
            std::ifstream in(PathFromUtf8(input.path), std::ios::binary);
            while (in) {
                in.read(buffer.data(), std::streamsize(buffer.size()));
                out.write(buffer.data(), in.gcount());
                done.bytesDone += std::uint64_t(in.gcount());
                if (!progress(done)) {
                    out.close();
                    fs::remove(temp);
                    return Status::Failure("Cancelled.");
                }
            }
            ++done.mapsDone;
        }
        out.flush();
        if (!out) {
            out.close();
            std::error_code ec;
            fs::remove(temp, ec);
            return Status::Failure("The disk is full, or the file could not be written.");
        }
    }
    progress(done);
    std::error_code ec;
    fs::rename(temp, targetPath, ec);
    if (ec) {
        fs::remove(temp, ec);
        return Status::Failure("The file could not be put in place.");
    }
    return {};
}

} // namespace mapwren
