// Loading a list of maps: the Load button, the start-up argument and the
// loader they share.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "app/FileDialog.h"
#include "app/frmMain.h"

namespace mapwren {

void frmMain::cmdLoadList_Click()
{
    const QString picked = AskForListToLoad ? AskForListToLoad() : QString();
    // How a cancelled dialog shows: its preset name or nothing.
    if (picked.isEmpty() || picked == QLatin1String("*.txt") || picked == QLatin1String("*.mwl"))
        return;
    ListFileName = QDir::toNativeSeparators(picked).toStdString();
    LoadListFile();
}

QString frmMain::AskForListToLoadWithDialog()
{
    return AskForFile(this, {tr("Select Text file containing list of .img Files"), QFileDialog::AcceptOpen,
                             QFileDialog::ExistingFile, tr("mapwren text file (*.mwl);;Text Files (*.txt)"),
                             QStringLiteral("*.mwl")});
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
    const ListFileContent content = ReadListFile(ListFileName);
    if (content.error != ListFileError::None) {
        QMessageBox::warning(this, QStringLiteral("MAPWREN"), QString::fromStdString(content.message));
        return;
    }
    // Settings first, also when the list names no map.
    ApplyListHead(content.head);
    std::vector<MapRow> rows = RowsFromMapPaths(content.mapPaths);
    if (rows.empty())
        return;
    AppendMapRows(std::move(rows));
    cmdClearGrid->setEnabled(true);
    cmdSelectAll->setEnabled(true);
}

// Through the same events as the user's clicks.
void frmMain::ApplyListHead(const ListHead& head)
{
    if (head.port) {
        SelectPort(*head.port);
        if (*head.port == Port::Com)
            cboCOM->setCurrentText(QString::fromStdString(head.comPort));
    }
    if (head.mapsetState)
        SetMapsetValue(*head.mapsetState);
    if (head.mapsetName)
        txtMapset->setText(QString::fromStdString(*head.mapsetName));
}

} // namespace mapwren
