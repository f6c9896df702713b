#include "app/FileDialog.h"

namespace mapwren {

QString AskForFile(QWidget* parent, const FileDialogSetup& setup)
{
    QFileDialog dialog(parent, setup.title);
    dialog.setAcceptMode(setup.accept);
    dialog.setFileMode(setup.fileMode);
    dialog.setNameFilter(setup.filter);
    if (setup.accept == QFileDialog::AcceptOpen)
        dialog.setOption(QFileDialog::ReadOnly);
    if (!setup.presetName.isEmpty())
        dialog.selectFile(setup.presetName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace mapwren
