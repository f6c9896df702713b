// The progress window: the owned window of the progress form.
#include "win32/ProgressWindow.h"

#include "progress/frmProgressDesign.h"

namespace mapwren {

ProgressWindow::ProgressWindow(std::shared_ptr<frmProgress> form, HWND owner)
    : OwnedWindow(L"MapwrenProgress", frmProgressForm(), form->Caption, owner, frmProgressControls(),
                  {.defaultButton = "cmdCancel", .shortenPaths = true}),
      form_(std::move(form))
{
    Draw();
    ShowOver(owner);
}

} // namespace mapwren
