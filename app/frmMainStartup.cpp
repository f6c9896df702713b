// Start-up and shutdown of the main window.
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "common/Addresses.h"
#include "app/frmMain.h"

namespace mapwren {

bool frmMain::Form_Load()
{
    CentreOnScreen();
    show();

    tools_ = FindTools(programFolder_);
    if (tools_.sendmap)
        mnuUseSendmap1->setEnabled(true);
    if (tools_.sendmap20)
        mnuUseSendmap2->setEnabled(true);
    if (!tools_.sendmap && !tools_.sendmap20) {
        ShowMissingToolMessage();
        return false;
    }

    cboCOM->setCurrentText(QStringLiteral("COM1"));
    StartWithVariant(tools_.sendmap20.has_value());
    PrepareGrid();
    for (QPushButton* button : {cmdSelectAll, cmdSelectNone, cmdSaveList, cmdUpload, cmdCreateFile, cmdClearGrid})
        button->setEnabled(false);
    LoadStartupArgument();   // its port and mapset settings replace the defaults
    return true;
}

void frmMain::ShowMissingToolMessage()
{
    const QString text = QStringLiteral("Sendmap.exe or Sendmap20.exe is not in this folder.\r\n"
                                        "You can download it from ") +
                         QLatin1String(kToolDownloadPage);
    QMessageBox::critical(this, QLatin1String(kProgramTitle), text);
}

void frmMain::CentreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect placed(QPoint(0, 0), size());
    placed.moveCenter(screen->availableGeometry().center());
    move(placed.topLeft());
}

// Closing the main window, by any cause, closes every other window of the
// program too, shown or hidden, so nothing is left behind.
void frmMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    Form_Unload();
}

void frmMain::Form_Unload()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this)
            window->close();
    }
}

void frmMain::cmdExit_Click()
{
    close();
}

void frmMain::mnuExit_Click()
{
    close();
    QCoreApplication::quit();
}

} // namespace mapwren
