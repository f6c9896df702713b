// Saving the ticked maps with the port and mapset settings as a list file.
#include "app/frmMain.h"
#include "common/Addresses.h"

namespace mapwren {

// Maps a list cannot name are asked about before the user picks a file.
void frmMain::cmdSaveList_Click()
{
    std::vector<ListedMap> ticked;
    for (std::size_t row = 0; row < mapList_.RowCount(); ++row) {
        if (mapList_.Row(row).state == RowState::Ticked)
            ticked.push_back({mapList_.Row(row).FullPath(), mapList_.TickEntry(row)});
    }
    const MapLines maps = ListMapLines(ticked);
    if (!maps.unwritable.empty() && !desktop_.AskYesNo(kMessageTitle, UnwritableMapsQuestion(maps.unwritable)))
        return;
    const std::optional<std::string> picked = desktop_.AskSaveFile(
        {"Save list of selected maps to a text file", "mapwren text file (*.mwl)|*.mwl", "",
         kOverwritePrompt | kPathMustExist});
    if (!picked || picked->empty())
        return;
    if (const Status saved = WriteListFile(*picked, ListSettingsFromControls(), maps.lines); !saved)
        Warn(saved.error());
}

ListSettings frmMain::ListSettingsFromControls() const
{
    ListSettings settings;
    settings.port = SelectedPort();
    settings.comPort = cboCOM.text;
    settings.mapsetState = chkMapset.value;
    settings.mapsetName = txtMapset.text;
    return settings;
}

} // namespace mapwren
