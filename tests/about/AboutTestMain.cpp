// Runs every About window test class in one QApplication, offscreen.
#include <QApplication>
#include <QDesktopServices>
#include <QTest>
#include <vector>

#include "AboutTests.h"

namespace mapwren::testing {

OpenedAbout::OpenedAbout() : main(std::make_unique<QMainWindow>())
{
    main->resize(640, 420);
    main->move(60, 40);
    main->show();
    about = frmAbout::ShowCentredOver(main.get());
}

bool Gone(const QPointer<frmAbout>& about)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return about.isNull();
}

OpenedUrls::OpenedUrls() { QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open"); }
OpenedUrls::~OpenedUrls() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

} // namespace mapwren::testing

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<std::unique_ptr<QObject>> suites;
    suites.push_back(mapwren::testing::MakeAboutDesignTest());
    suites.push_back(mapwren::testing::MakeAboutEventsTest());
    int failed = 0;
    for (const auto& suite : suites)
        failed += QTest::qExec(suite.get(), argc, argv);
    return failed == 0 ? 0 : 1;
}
