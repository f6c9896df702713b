// The command handlers (lists, upload, erase, connection test, About) come
// with the commands; until then their buttons and menu items do nothing.
#include "app/frmMain.h"

namespace mapwren {

void frmMain::cmdLoadList_Click() {}
void frmMain::cmdSaveList_Click() {}
void frmMain::cmdUpload_Click() {}
void frmMain::cmdCreateFile_Click() {}
void frmMain::cmdEraseGPS_Click() {}
void frmMain::optSureYes_Click() {}
void frmMain::optSureNo_Click() {}
void frmMain::mnuID_Click() {}
void frmMain::mnuAbout_Click() {}

} // namespace mapwren
