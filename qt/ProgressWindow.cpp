// The progress window: the owned window of the progress form.
#include "qt/ProgressWindow.h"

#include "progress/frmProgressDesign.h"

namespace mapwren {

ProgressWindow::ProgressWindow(std::shared_ptr<frmProgress> form, QWidget* mainWindow)
    : OwnedWindow(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint,
                  QStringLiteral("frmProgress"), frmProgressForm(), frmProgressControls(), {.shortenPaths = true}),
      form_(std::move(form))
{
    ShowOver(mainWindow);
}

} // namespace mapwren
