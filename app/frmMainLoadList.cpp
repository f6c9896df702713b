// Loading a list of maps: the Load button, the start-up argument and the
// loader they share.
#include "app/frmMain.h"

namespace mapwren {

// Only an existing file can be picked, though the dialog is told not to
// validate the name.
void frmMain::cmdLoadList_Click()
{
    const std::optional<std::string> picked = desktop_.AskOpenFile(
        {"Select Text file containing list of .img Files", "mapwren text file (*.mwl)|*.mwl|Text Files (*.txt)|*.txt",
         "*.mwl", kPathMustExist | kHideReadOnly | kNoChangeDir | kExplorer | kNoValidate | kFileMustExist});
    // How a cancelled dialog shows: its preset name or nothing.
    if (!picked || picked->empty() || *picked == "*.txt" || *picked == "*.mwl")
        return;
    ListFileName = *picked;
    LoadListFile();
}

// The whole argument text names the list; quotes around it are dropped by
// removing the first and the last character.
void frmMain::LoadStartupArgument()
{
    std::string path = argumentText_;
    if (!path.empty() && path.front() == '"')
        path = path.size() >= 2 ? path.substr(1, path.size() - 2) : std::string();
    if (path.empty())
        return;
    ListFileName = path;
    LoadListFile();
}

void frmMain::LoadListFile()
{
    const std::size_t firstNew = mapList_.RowCount();
    Status loaded;
    {
        const BusyPointer busy(desktop_);
        const ListFileContent content = ReadListFile(ListFileName);
        loaded = content.error != ListFileError::None ? Status::Failure(content.message) : AppendList(content);
    }
    if (!loaded)
        Warn(loaded.error());
    WarnAboutNewRows(firstNew, {});
}

// Settings first, also when the list names no map. Refused, saying why, when
// no map was loaded or a line could not be a map's path.
Status frmMain::AppendList(const ListFileContent& content)
{
    ApplyListHead(content.head);
    std::vector<MapRow> rows = RowsFromMapPaths(content.mapPaths);
    const std::optional<std::string> leftOut = LinesWithNulMessage(ListFileName, content);
    if (rows.empty())
        return Status::Failure("The list file " + ListFileName + " names no maps; only its settings were loaded." +
                               (leftOut ? "\n" + *leftOut : ""));
    AppendMapRows(std::move(rows));
    cmdClearGrid.enabled = true;
    cmdSelectAll.enabled = true;
    return leftOut ? Status::Failure(*leftOut) : Status{};
}

// Through the same events as the user's clicks.
void frmMain::ApplyListHead(const ListHead& head)
{
    if (head.port) {
        SelectPort(*head.port);
        if (*head.port == Port::Com)
            cboCOM.text = head.comPort;
    }
    if (head.mapsetState)
        SetMapsetValue(*head.mapsetState);
    if (head.mapsetName)
        txtMapset.text = *head.mapsetName;
}

} // namespace mapwren
