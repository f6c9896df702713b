// The map list's buttons: Clear, Select All, Select None and Load Folder.
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

#include "app/FileDialog.h"
#include "app/MapListModel.h"
#include "app/frmMain.h"
#include "common/Text.h"
#include "maplist/FolderScan.h"

namespace mapwren {

void frmMain::ShowCaptions()
{
    lblFilesSelected->setText(QString::fromStdString(mapList_.CountCaptionText()));
    lblTotalBytes->setText(QString::fromStdString(mapList_.TotalCaptionText()));
}

void frmMain::EnableUploadButtons(bool enabled)
{
    cmdUpload->setEnabled(enabled);
    cmdCreateFile->setEnabled(enabled);
}

void frmMain::cmdClearGrid_Click()
{
    model_->Clear();
    ApplyColumnWidths();
    SetCurrentCell(0, 0);
    for (QPushButton* button : {cmdSelectAll, cmdSelectNone, cmdSaveList, cmdClearGrid})
        button->setEnabled(false);
    lblFilesSelected->hide();
    lblTotalBytes->hide();
    EnableUploadButtons(false);
    cmdFileOpen->setFocus();
}

void frmMain::cmdSelectAll_Click()
{
    model_->SelectAll();
    if (mapList_.RowCount() > 0)
        SetCurrentCell(static_cast<int>(mapList_.RowCount()), 0);
    lblFilesSelected->show();
    lblTotalBytes->show();
    ShowCaptions();
    cmdSelectAll->setEnabled(false);
    cmdSelectNone->setEnabled(true);
    cmdSaveList->setEnabled(true);
    if (SelectedPort() != Port::None)
        EnableUploadButtons(true);
}

void frmMain::cmdSelectNone_Click()
{
    model_->SelectNone();
    if (mapList_.RowCount() > 0)
        SetCurrentCell(static_cast<int>(mapList_.RowCount()), 0);
    ShowCaptions();
    cmdSelectNone->setEnabled(false);
    cmdSaveList->setEnabled(false);
    cmdSelectAll->setEnabled(true);
    EnableUploadButtons(false);
}

void frmMain::cmdFileOpen_Click()
{
    const QString picked = AskForImgFile ? AskForImgFile() : QString();
    if (picked.isEmpty() || picked == QLatin1String("*.img"))
        return;
    const QString native = QDir::toNativeSeparators(picked);
    const std::string folder = native.left(native.lastIndexOf(QDir::separator()) + 1).toStdString();

    SetCurrentCell(0, 0);
    cmdClearGrid->setEnabled(true);
    // The grid is hidden while it fills, so only "Processing ...." beneath it shows.
    const bool hadFocus = MSFlexGrid1->hasFocus();
    MSFlexGrid1->hide();
    repaint();
    FolderScan scan = ScanFolder(folder);
    const std::size_t added = scan.rows.size();
    AppendMapRows(std::move(scan.rows));
    if (added > 0)
        SetCurrentCell(static_cast<int>(mapList_.RowCount()), 0);
    MSFlexGrid1->show();
    if (hadFocus)
        MSFlexGrid1->setFocus();
    if (added > 0)
        cmdSelectAll->setEnabled(true);
    if (!scan.unreadable.empty())
        WarnUnreadable(scan.unreadable);
}

// Any name typed in the folder serves, so the file need not exist.
QString frmMain::AskForImgFileWithDialog()
{
    return AskForFile(this, {tr("Select Folder Containing Garmin .img Files"), QFileDialog::AcceptOpen,
                             QFileDialog::AnyFile, tr("Garmin IMG Files (*.img)"), QStringLiteral("*.img")});
}

// One message for all the map files whose header could not be read; their
// rows are in the grid all the same.
void frmMain::WarnUnreadable(const std::vector<std::string>& paths)
{
    const QString text = paths.size() == 1 ? tr("This map file could not be read; its row shows no map name:")
                                           : tr("These map files could not be read; their rows show no map name:");
    QMessageBox::warning(this, QStringLiteral("MAPWREN"), text + QString::fromStdString(ListedPaths(paths)));
}

} // namespace mapwren
