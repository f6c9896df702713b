// The install window: the owned window of the install form, polling for
// receivers and listing the places the form found.
#include "qt/InstallWindow.h"

#include <QCloseEvent>
#include <QComboBox>

#include "install/frmInstallDesign.h"

namespace mapwren {

InstallWindow::InstallWindow(std::shared_ptr<frmInstall> form, QWidget* mainWindow)
    : OwnedWindow(mainWindow, Qt::Dialog, QStringLiteral("frmInstall"), frmInstallForm(), frmInstallControls(),
                  {.defaultButton = "cmdInstall"}),
      form_(std::move(form))
{
    connect(&poll_, &QTimer::timeout, this, [this] {
        form_->tmrPoll_Timer();
        Draw();
    });
    poll_.start(static_cast<int>(frmInstall::kPollEvery.count()));
    form_->Form_Load();
    ShowOver(mainWindow);
}

void InstallWindow::Draw()
{
    if (auto* places = qobject_cast<QComboBox*>(Control("cboPlace")); places && placeItems_ != form_->PlaceItems()) {
        placeItems_ = form_->PlaceItems();
        places->clear();
        for (const std::string& item : placeItems_)
            places->addItem(Text(item));
    }
    DrawForm(*form_);
}

void InstallWindow::closeEvent(QCloseEvent* event)
{
    OwnedWindow::closeEvent(event);
    if (event->isAccepted())
        poll_.stop();
}

} // namespace mapwren
