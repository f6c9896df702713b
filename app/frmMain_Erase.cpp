// Erasing the receiver after a Yes/No question inside the window, and the
// connection test script.
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>

#include "app/OptionButtons.h"
#include "app/frmMain.h"
#include "tool/Process.h"
#include "tool/TestScript.h"

namespace mapwren {

void frmMain::cmdEraseGPS_Click()
{
    lblAreYouSure->show();
    optSureYes->show();
    optSureNo->show();
}

void frmMain::optSureYes_Click()
{
    const ToolVariant variant = Variant();
    const auto refused = CheckProgramFolder(programFolder_);
    const Status started = refused ? Status()
                                   : StartCommandLine(BuildEraseCommand(programFolder_, ToolCommandName(variant, tools_),
                                                                        variant, SelectedPort(),
                                                                        cboCOM->currentText().toStdString()));
    // The question closes whatever the outcome.
    UnselectOption(optSureYes);
    optSureYes->hide();
    optSureNo->hide();
    lblAreYouSure->hide();
    if (refused)
        QMessageBox::warning(this, QStringLiteral("MAPWREN"), QString::fromStdString(*refused));
    else if (!started)
        QMessageBox::critical(this, QStringLiteral("MAPWREN"), QString::fromStdString(started.error()));
}

void frmMain::optSureNo_Click()
{
    lblAreYouSure->hide();
    optSureYes->hide();
    optSureNo->hide();
    UnselectOption(optSureNo);
}

void frmMain::mnuID_Click()
{
    if (UseSendmap20 == 0)
        return;
    if (const auto refused = CheckProgramFolder(programFolder_)) {
        QMessageBox::warning(this, QStringLiteral("MAPWREN"), QString::fromStdString(*refused));
        return;
    }
    Status done = WriteTestScriptIfMissing(programFolder_, ToolCommandName(ToolVariant::Sendmap20, tools_));
    if (done)
        done = StartTestScript(programFolder_);
    if (!done)
        QMessageBox::critical(this, QStringLiteral("MAPWREN"), QString::fromStdString(done.error()));
}

} // namespace mapwren
