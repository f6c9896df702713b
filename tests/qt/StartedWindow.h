#pragma once

#include <QTest>

#include <initializer_list>
#include <memory>
#include <string>

#include "qt/MainWindow.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"

namespace mapwren {

// The main window started over a program folder holding the stand-in as
// sendmap20.exe, on a list of the maps folder's files in the given order;
// a suite writes the maps first.
struct StartedWindow {
    testing::TempDir tools, maps;
    std::unique_ptr<MainWindow> window;
    frmMain* form = nullptr;

    void Start(std::initializer_list<const char*> files)
    {
        testing::CopyStandIn(tools.path(), "sendmap20.exe");
        const std::string list = (tools.path() / "maps.mwl").string();
        std::string lines = "mapwren Auto\r\n";
        for (const char* file : files)
            lines += maps.folder() + file + "\r\n";
        testing::WriteBytes(list, lines);
        std::string folder = tools.folder();
        folder.pop_back();
        window = std::make_unique<MainWindow>(folder, list);
        form = &window->Form();
        QVERIFY(window->Start());
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
};

} // namespace mapwren
