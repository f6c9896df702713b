// Runs every window test class in one QApplication, offscreen.
#include <QApplication>
#include <QTest>
#include <memory>
#include <vector>

#include "WindowTests.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<std::unique_ptr<QObject>> suites;
    suites.push_back(mapwren::testing::MakeStartupTest());
    suites.push_back(mapwren::testing::MakeSettingsTest());
    suites.push_back(mapwren::testing::MakeLayoutTest());
    suites.push_back(mapwren::testing::MakeGridMouseTest());
    suites.push_back(mapwren::testing::MakeMapListButtonsTest());
    suites.push_back(mapwren::testing::MakeUploadTest());
    suites.push_back(mapwren::testing::MakeListFilesTest());
    suites.push_back(mapwren::testing::MakeEraseTest());
    suites.push_back(mapwren::testing::MakeAboutMenuTest());
    int failed = 0;
    for (const auto& suite : suites)
        failed += QTest::qExec(suite.get(), argc, argv);
    return failed == 0 ? 0 : 1;
}
