#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mapwren::testing {

// The arguments the stand-in tool in `folder` received, one per line of its
// "sendmap-args.txt"; waits a bounded time for the file, empty without it.
QStringList ReceivedArguments(const std::string& folder, int timeoutMs = 5000);
// Removes the record of an earlier run.
void ForgetArguments(const std::string& folder);

// Runs `action` with an ordinary user's rights when the tests run as root,
// who may write anywhere; false when those rights cannot be taken.
bool AsOrdinaryUser(const std::function<void()>& action);

// Every modal message box shown while the watch lives is recorded and
// answered with `answer` where it has that button, else with OK; the watch
// stops with the object, so no late box of one test is taken by another.
class MessageWatch {
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    };

    explicit MessageWatch(QMessageBox::StandardButton answer = QMessageBox::Ok);
    ~MessageWatch();
    const std::vector<Seen>& Shown() const { return *shown_; }
    bool None() const { return shown_->empty(); }
    // The one box shown; a test failure when there was not exactly one.
    Seen Only() const;

private:
    std::shared_ptr<std::vector<Seen>> shown_ = std::make_shared<std::vector<Seen>>();
    QTimer timer_;
};

} // namespace mapwren::testing
