#pragma once

#include <QObject>
#include <memory>

namespace mapwren::testing {

std::unique_ptr<QObject> MakeStartupTest();
std::unique_ptr<QObject> MakeSettingsTest();
std::unique_ptr<QObject> MakeLayoutTest();
std::unique_ptr<QObject> MakeGridMouseTest();
std::unique_ptr<QObject> MakeMapListButtonsTest();
std::unique_ptr<QObject> MakeUploadTest();
std::unique_ptr<QObject> MakeListFilesTest();
std::unique_ptr<QObject> MakeEraseTest();
std::unique_ptr<QObject> MakeAboutMenuTest();

} // namespace mapwren::testing
