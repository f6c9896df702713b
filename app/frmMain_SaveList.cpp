// Saving the ticked maps with the port and mapset settings as a list file.
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>

#include "app/FileDialog.h"
#include "app/frmMain.h"

namespace mapwren {

void frmMain::cmdSaveList_Click()
{
    const QString picked = AskForListToSave ? AskForListToSave() : QString();
    if (picked.isEmpty())
        return;
    const std::string path = QDir::toNativeSeparators(picked).toStdString();
    std::vector<std::string> ticked;
    for (std::size_t row = 0; row < mapList_.RowCount(); ++row) {
        if (mapList_.Row(row).state == RowState::Ticked)
            ticked.push_back(mapList_.Row(row).FullPath());
    }
    const Status saved = WriteListFile(path, ListSettingsFromControls(), ticked);
    if (!saved)
        QMessageBox::warning(this, QStringLiteral("MAPWREN"), QString::fromStdString(saved.error()));
}

QString frmMain::AskForListToSaveWithDialog()
{
    return AskForFile(this, {tr("Save list of selected maps to a text file"), QFileDialog::AcceptSave,
                             QFileDialog::AnyFile, tr("mapwren text file (*.mwl)"), QString()});
}

ListSettings frmMain::ListSettingsFromControls() const
{
    ListSettings settings;
    settings.port = SelectedPort();
    settings.comPort = cboCOM->currentText().toStdString();
    settings.mapsetState = MapsetValue();
    settings.mapsetName = txtMapset->text().toStdString();
    return settings;
}

} // namespace mapwren
