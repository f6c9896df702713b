#include "qt/QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

#include "qt/AboutWindow.h"
#include "qt/InstallWindow.h"
#include "qt/ProgressWindow.h"
#include "qt/Text.h"

namespace mapwren {

namespace {

// "description|pattern|description|pattern" as Qt's "description;;description";
// each description names its patterns already.
QString QtFilter(const std::string& filter)
{
    const QStringList parts = Text(filter).split(QLatin1Char('|'));
    QStringList descriptions;
    for (qsizetype i = 0; i < parts.size(); i += 2)
        descriptions << parts[i];
    return descriptions.join(QStringLiteral(";;"));
}

} // namespace

// The progress windows too: a job's progress and its end come as posted events.
void QtDesktop::Draw() const
{
    if (draw_)
        draw_();
    for (ProgressWindow* window : ProgressWindows())
        window->Draw();
}

void QtDesktop::ShowProgressWindow(std::shared_ptr<frmProgress> form)
{
    std::erase_if(progress_, [](const QPointer<ProgressWindow>& window) { return window.isNull(); });
    progress_.emplace_back(new ProgressWindow(std::move(form), window_));
}

std::vector<ProgressWindow*> QtDesktop::ProgressWindows() const
{
    std::vector<ProgressWindow*> open;
    for (const QPointer<ProgressWindow>& window : progress_) {
        if (window)
            open.push_back(window);
    }
    return open;
}

std::optional<std::string> QtDesktop::AskForFile(const FileDialogRequest& request, bool save)
{
    Draw();
    QFileDialog dialog(window_, Text(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.flags & kFileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(QtFilter(request.filter));
    if (!save)
        dialog.setOption(QFileDialog::ReadOnly);
    if (!request.fileName.empty())
        dialog.selectFile(Text(request.fileName));
    // No default extension is ever added, so a name is used exactly as given.
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst()).toStdString();
}

std::optional<std::string> QtDesktop::AskOpenFile(const FileDialogRequest& request)
{
    return AskForFile(request, false);
}

std::optional<std::string> QtDesktop::AskSaveFile(const FileDialogRequest& request)
{
    return AskForFile(request, true);
}

void QtDesktop::ShowMessage(MessageIcon icon, const std::string& title, const std::string& text)
{
    Draw();
    switch (icon) {
    case MessageIcon::Critical: QMessageBox::critical(window_, Text(title), Text(text)); break;
    case MessageIcon::Exclamation: QMessageBox::warning(window_, Text(title), Text(text)); break;
    case MessageIcon::Information: QMessageBox::information(window_, Text(title), Text(text)); break;
    }
}

bool QtDesktop::AskYesNo(const std::string& title, const std::string& text)
{
    Draw();
    return QMessageBox::question(window_, Text(title), Text(text), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void QtDesktop::RepaintNow()
{
    Draw();
    window_->repaint();
}

// The window is the event's context: Qt drops the event when it is gone.
void QtDesktop::Post(std::function<void()> event)
{
    QMetaObject::invokeMethod(
        window_,
        [this, event = std::move(event)] {
            event();
            Draw();
        },
        Qt::QueuedConnection);
}

// Over every window of the program, until the work is done.
void QtDesktop::ShowBusy(bool busy)
{
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

bool QtDesktop::OpenAddress(const std::string& address) { return QDesktopServices::openUrl(QUrl(Text(address))); }

// Every window of the program, so nothing is left behind.
void QtDesktop::CloseAllWindows() { QApplication::closeAllWindows(); }

void QtDesktop::ShowAboutWindow() { AboutWindow::ShowCentredOver(window_); }

void QtDesktop::ShowTileMapWindow()
{
    if (showTileMap_)
        showTileMap_();
}

} // namespace mapwren

namespace mapwren {

std::optional<std::string> QtDesktop::AskFolder(const std::string& title)
{
    Draw();
    const QString folder = QFileDialog::getExistingDirectory(window_, Text(title));
    if (folder.isEmpty())
        return std::nullopt;
    return QDir::toNativeSeparators(folder).toStdString();
}

void QtDesktop::ShowInstallWindow(std::shared_ptr<frmInstall> form)
{
    if (install_)
        install_->close();
    install_ = new InstallWindow(std::move(form), window_);
}

} // namespace mapwren
