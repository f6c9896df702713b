// Upload and Create File: one command line for the upload tool, started
// without waiting.
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <utility>

#include "app/frmMain.h"
#include "tool/Process.h"
#include "tool/TickedMaps.h"

namespace mapwren {

ToolVariant frmMain::Variant() const
{
    return UseSendmap20 != 0 ? ToolVariant::Sendmap20 : ToolVariant::Sendmap;
}

UploadSettings frmMain::UploadSettingsFromControls() const
{
    UploadSettings settings;
    settings.variant = Variant();
    settings.port = SelectedPort();
    settings.comPort = cboCOM->currentText().toStdString();
    const std::pair<QRadioButton*, int> speeds[] = {
        {opt9600, 9600}, {opt19200, 19200}, {opt38400, 38400}, {opt57600, 57600}, {opt115200, 115200}};
    for (const auto& [option, speed] : speeds) {
        if (option->isChecked())
            settings.speed = speed;
    }
    settings.mapsetTicked = MapsetValue() == 1;
    settings.mapsetName = txtMapset->text().toStdString();
    settings.createFileSwitch = CreateFileSwitch;
    return settings;
}

void frmMain::cmdUpload_Click()
{
    const UploadSettings settings = UploadSettingsFromControls();
    const std::string toolName = ToolCommandName(settings.variant, tools_);
    // A map whose file has gone since loading is never sent, not even as an empty argument.
    const TickedMaps ticked = SortTickedMaps(mapList_);
    if (const auto gone = GoneMapsMessage(ticked)) {
        const QString text = QString::fromStdString(*gone);
        if (ticked.present.empty()) {
            QMessageBox::warning(this, QStringLiteral("MAPWREN"), text);
            return;
        }
        if (QMessageBox::question(this, QStringLiteral("MAPWREN"), text, QMessageBox::Yes | QMessageBox::No,
                                  QMessageBox::No) != QMessageBox::Yes)
            return;
    }
    const std::list<std::string>& maps = ticked.present;
    if (const auto refused = CheckUploadCommand(programFolder_, toolName, settings, maps)) {
        QMessageBox::warning(this, QStringLiteral("MAPWREN"), QString::fromStdString(*refused));
        return;
    }
    UploadCommand = BuildUploadCommand(programFolder_, toolName, settings, maps);
    if (const Status started = StartCommandLine(UploadCommand); !started) {
        QMessageBox::critical(this, QStringLiteral("MAPWREN"), QString::fromStdString(started.error()));
        return;
    }
    // Only a command that carried the create-file switch makes the file.
    if (settings.variant == ToolVariant::Sendmap20 && settings.createFileSwitch == "-l ")
        QMessageBox::information(this, QStringLiteral("Map File Created"),
                                 QStringLiteral("Created Map file GMAPSUPP.IMG in the MAPWREN Folder     "));
}

void frmMain::cmdCreateFile_Click()
{
    cmdUpload_Click();
}

} // namespace mapwren
