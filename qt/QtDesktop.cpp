#include "qt/QtDesktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>

namespace mapwren {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// "description|pattern|..." as Qt's "description (pattern);;...".
QString QtFilter(const std::string& filter)
{
    const QStringList parts = Text(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]);
    return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> Chosen(const QString& file)
{
    if (file.isEmpty())
        return std::nullopt;
    return file.toStdString();
}

} // namespace

std::optional<std::string> QtDesktop::AskOpenFile(const FileDialogRequest& request)
{
    return Chosen(QFileDialog::getOpenFileName(window_, Text(request.title), Text(request.fileName),
                                               QtFilter(request.filter)));
}

std::optional<std::string> QtDesktop::AskSaveFile(const FileDialogRequest& request)
{
    return Chosen(QFileDialog::getSaveFileName(window_, Text(request.title), Text(request.fileName),
                                               QtFilter(request.filter)));
}

void QtDesktop::ShowMessage(MessageIcon icon, const std::string& title, const std::string& text)
{
    const QMessageBox::Icon shown = icon == MessageIcon::Critical      ? QMessageBox::Critical
                                    : icon == MessageIcon::Exclamation ? QMessageBox::Warning
                                                                       : QMessageBox::Information;
    QMessageBox(shown, Text(title), Text(text), QMessageBox::Ok, window_).exec();
}

bool QtDesktop::AskYesNo(const std::string& title, const std::string& text)
{
    return QMessageBox::question(window_, Text(title), Text(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void QtDesktop::RepaintNow()
{
    if (window_)
        window_->repaint();
}

bool QtDesktop::OpenAddress(const std::string& address)
{
    return QDesktopServices::openUrl(QUrl(Text(address)));
}

void QtDesktop::CloseAllWindows()
{
    QApplication::closeAllWindows();
}

} // namespace mapwren
