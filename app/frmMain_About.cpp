// The About menu item; the About window comes with its own commit.
#include "app/frmMain.h"

namespace mapwren {

void frmMain::mnuAbout_Click() {}

} // namespace mapwren
