#include <QApplication>

#include "app/ArgumentText.h"
#include "app/frmMain.h"
#include "common/Paths.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    mapwren::frmMain window(mapwren::ProgramFolder(), mapwren::ArgumentText(argc, argv));
    // Without an upload tool the program ends as soon as its message is closed.
    if (!window.Form_Load())
        return 0;
    return app.exec();
}
