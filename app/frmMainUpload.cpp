// Upload and Create File: one command line for the upload tool, started
// without waiting; Create File tells what came of it once the tool ended.
// The checks before it, in the order cmdUpload_Click asks them: the questions
// about the ticked maps in tool/TickedMaps.cpp (gone or unreadable maps,
// clashing names, a combined file too large), then the refusals in
// tool/Commands.cpp (CheckUploadCommand: nothing ticked, the mapset name, its
// characters through tool/ToolText.cpp, the program's folder, a command line
// too long).
#include "app/frmMain.h"
#include "common/Addresses.h"
#include "tool/TickedMaps.h"
#include "tool/UploadTime.h"

namespace mapwren {

ToolVariant frmMain::Variant() const { return UseSendmap20 != kFalse ? ToolVariant::Sendmap20 : ToolVariant::Sendmap; }

UploadSettings frmMain::UploadSettingsFromControls() const
{
    UploadSettings settings;
    settings.variant = Variant();
    settings.port = SelectedPort();
    settings.comPort = cboCOM.text;
    const std::pair<const ControlState*, int> speeds[] = {
        {&opt9600, 9600}, {&opt19200, 19200}, {&opt38400, 38400}, {&opt57600, 57600}, {&opt115200, 115200}};
    for (const auto& [option, speed] : speeds) {
        if (option->value == 1)
            settings.speed = speed;
    }
    settings.mapsetTicked = chkMapset.value == 1;
    settings.mapsetName = txtMapset.text;
    settings.createFileSwitch = CreateFileSwitch;
    return settings;
}

// Follows every event that can change the ticks, the port or the speed, so
// the tooltip is right whenever the pointer rests on the button.
void frmMain::ShowUploadEstimate()
{
    cmdUpload.toolTip = UploadEstimate(UploadSettingsFromControls(), mapList_.SelectedCount(), mapList_.SelectedBytes());
}

void frmMain::cmdUpload_Click()
{
    UploadSettings settings = UploadSettingsFromControls();
    // A map whose file has gone since loading is never sent, not even as an empty argument.
    // Under Wine the tool opens Windows paths, which not every name makes.
    const Result<ToolRuntime> runtime = ToolRuntimeOf(ToolFile(settings.variant));
    const TickedMaps ticked = GroupTickedMaps(mapList_, runtime ? runtime.value() : ToolRuntime::Native);
    if (const auto gone = LeftOutMapsMessage(ticked)) {
        if (ticked.present.empty()) {
            Warn(*gone);
            return;
        }
        if (!desktop_.AskYesNo(kMessageTitle, *gone))
            return;
    }
    const bool createsFile = settings.variant == ToolVariant::Sendmap20 && settings.createFileSwitch == kCreateFileSwitch;
    // The questions come before the tool starts; No, the default, starts nothing.
    for (const auto& question : {ClashingNamesMessage(mapList_, ticked),
                                 createsFile ? OversizeMessage(ticked.presentBytes) : std::nullopt}) {
        if (question && !desktop_.AskYesNo(kMessageTitle, *question))
            return;
    }
    // Paths and the port as the tool reads them: under Wine as Windows paths.
    Launch(createsFile ? RunKind::CreateFile : RunKind::Upload, settings.variant,
           [&](ToolRuntime runsAs) -> Result<std::string> {
               settings.comPort = ToolSidePort(settings.comPort, runsAs);
               std::list<std::string> maps;
               for (const std::string& map : ticked.present)
                   maps.push_back(ToolSidePath(map, runsAs));
               const std::string toolPath = ToolSidePath(ToolFile(settings.variant), runsAs);
               if (const Status checked = CheckUploadCommand(programFolder_, toolPath, settings, maps, runsAs);
                   !checked)
                   return Result<std::string>::Failure(checked.error());
               return BuildUploadCommand(toolPath, settings, maps);
           });
}

void frmMain::cmdCreateFile_Click() { cmdUpload_Click(); }

} // namespace mapwren
