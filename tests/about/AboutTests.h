#pragma once

#include <QMainWindow>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <memory>

#include "about/frmAbout.h"

namespace mapwren::testing {

std::unique_ptr<QObject> MakeAboutDesignTest();
std::unique_ptr<QObject> MakeAboutEventsTest();

// A shown main window standing in for the program's, and its About window.
struct OpenedAbout {
    OpenedAbout();
    std::unique_ptr<QMainWindow> main;
    QPointer<frmAbout> about;
};

// Lets the closed windows' pending deletion happen; true when `about` is gone.
bool Gone(const QPointer<frmAbout>& about);

// Records the addresses the program asks the browser to open.
class OpenedUrls : public QObject {
    Q_OBJECT
public:
    OpenedUrls();
    ~OpenedUrls() override;
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls.append(url); }
};

} // namespace mapwren::testing
