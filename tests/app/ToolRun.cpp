#include "ToolRun.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QTest>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace mapwren::testing {

namespace {

QString ArgumentsFile(const std::string& folder)
{
    return QString::fromStdString(folder) + QStringLiteral("/sendmap-args.txt");
}

} // namespace

QStringList ReceivedArguments(const std::string& folder, int timeoutMs)
{
    QFile file(ArgumentsFile(folder));
    // The stand-in renames its record into place, so an existing file is whole.
    if (!QTest::qWaitFor([&] { return file.exists(); }, timeoutMs) || !file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    lines.removeLast();   // after the last line's end
    return lines;
}

void ForgetArguments(const std::string& folder)
{
    QFile::remove(ArgumentsFile(folder));
}

bool AsOrdinaryUser(const std::function<void()>& action)
{
#ifndef _WIN32
    const bool root = ::geteuid() == 0;
    if (root && ::seteuid(65534) != 0)
        return false;
    action();
    return !root || ::seteuid(0) == 0;
#else
    action();
    return true;
#endif
}

MessageWatch::MessageWatch(QMessageBox::StandardButton answer)
{
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [shown = shown_, answer] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        shown->push_back({box->windowTitle(), box->text(), box->icon()});
        // A question reports the button clicked, not the code it was closed with.
        if (QAbstractButton* button = box->button(answer))
            button->click();
        else
            box->done(QMessageBox::Ok);
    });
    timer_.start();
}

MessageWatch::~MessageWatch() = default;

MessageWatch::Seen MessageWatch::Only() const
{
    if (shown_->size() != 1)
        QTest::qFail(qPrintable(QStringLiteral("%1 message boxes shown, one expected").arg(shown_->size())),
                     __FILE__, __LINE__);
    return shown_->empty() ? Seen{} : shown_->front();
}

} // namespace mapwren::testing
