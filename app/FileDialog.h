#pragma once

#include <QFileDialog>
#include <QString>

namespace mapwren {

// How one of the window's file dialogs is set up.
struct FileDialogSetup {
    QString title;
    QFileDialog::AcceptMode accept = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::ExistingFile;
    QString filter;
    QString presetName;   // empty: none
};

// Shows the dialog; the file picked, or empty when cancelled. No default
// extension is ever added, so a name is used exactly as given.
QString AskForFile(QWidget* parent, const FileDialogSetup& setup);

} // namespace mapwren
