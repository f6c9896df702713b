#include "img/CombinedMap.h"

namespace mapwren {

std::vector<std::string> CombinedPlan::ClashingFiles() const { return {}; }
std::vector<std::string> CombinedPlan::UnusableFiles() const { return {}; }
void CombinedPlan::LeaveOutClashes() {}
void CombinedPlan::LeaveOutUnusable() {}
std::uint64_t CombinedPlan::FileSize() const { return 0; }
std::size_t CombinedPlan::MapCount() const { return 0; }
std::size_t CombinedPlan::TypCount() const { return 0; }
unsigned CombinedPlan::BlockSize() const { return 512; }

Result<CombinedPlan> PlanCombinedMap(const std::vector<std::string>&, const std::string&)
{
    return Result<CombinedPlan>::Failure("Combined map files cannot be written yet.");
}

std::string CombinedTemporaryName(const std::string& target) { return target + ".mapwren-part"; }

Status WriteCombinedMap(const CombinedPlan&, const std::string& target, const std::function<bool(const CombinedProgress&)>&)
{
    return Status::Failure("The combined map file \"" + target + "\" cannot be written yet.");
}

std::string CombinedCancelledMessage(const std::string& target)
{
    return "Writing the combined map file \"" + target + "\" was cancelled; nothing was left behind.";
}

} // namespace mapwren
