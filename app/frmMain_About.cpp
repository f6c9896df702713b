// The About menu item.
#include "app/frmMain.h"
#include "qt/AboutWindow.h"

namespace mapwren {

void frmMain::mnuAbout_Click()
{
    AboutWindow::ShowCentredOver(this);
}

} // namespace mapwren
