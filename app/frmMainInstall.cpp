// Install Maps on Receiver or Card: the ticked maps planned as one combined
// file, after the same questions as writing one, then the install window.
#include "app/frmMain.h"
#include "img/CombinedMap.h"
#include "install/frmInstall.h"

namespace mapwren {

void frmMain::mnuInstall_Click()
{
    if (const auto open = install_.lock(); open && open->Installing()) {
        Warn("The maps are being installed now. Wait for the end, or cancel it, before installing others.");
        return;
    }
    std::optional<CombinedPlan> plan =
        PlanTickedMaps("No map is ticked. Tick the maps to install on the receiver or memory card first.");
    if (!plan)
        return;
    auto form = std::make_shared<frmInstall>(desktop_, SystemVolumes(),
                                             std::make_shared<const CombinedPlan>(std::move(*plan)),
                                             MapsetNameForWriting());
    install_ = form;
    desktop_.ShowInstallWindow(std::move(form));
}

void frmMain::StopInstalling()
{
    if (const auto open = install_.lock())
        open->Stop();
}

} // namespace mapwren
