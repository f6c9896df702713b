// The About menu item.
#include "about/frmAbout.h"
#include "app/frmMain.h"

namespace mapwren {

void frmMain::mnuAbout_Click()
{
    frmAbout::ShowCentredOver(this);
}

} // namespace mapwren
