#include <QApplication>

#include "app/ArgumentText.h"
#include "common/Paths.h"
#include "qt/MainWindow.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    mapwren::MainWindow window(mapwren::ProgramFolder(), mapwren::ArgumentText(argc, argv));
    // Without an upload tool the program ends as soon as its message is closed.
    if (!window.Start())
        return 0;
    return app.exec();
}
