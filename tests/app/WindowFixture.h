#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <Qt>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/frmMain.h"
#include "support/Fixtures.h"

namespace mapwren::testing {

// A program folder holding copies of the stand-in upload tool under the
// given names ("sendmap.exe", "sendmap20.exe", in any case).
class ToolFolder {
public:
    explicit ToolFolder(const QStringList& toolNames);
    // The folder without a trailing separator, as the window expects it.
    std::string Folder() const;

private:
    TempDir dir_;
};

// A window started on the folder; null (and a test failure) when start-up refused.
std::unique_ptr<frmMain> StartWindow(const std::string& programFolder);

// A started window on a folder holding both tools, so the second variant.
struct StartedWindow {
    ToolFolder tools{{"sendmap.exe", "sendmap20.exe"}};
    std::unique_ptr<frmMain> window = StartWindow(tools.Folder());
};

// One map file to generate: its file name, its header's map name, its size.
struct MapSpec {
    std::string file;
    std::string name;
    std::uintmax_t bytes = 0;
};
void WriteMaps(const std::filesystem::path& folder, const std::vector<MapSpec>& maps);

// Presses Load Folder with the dialog answering a file of the folder.
void LoadFolder(frmMain& window, const std::filesystem::path& folder);

// Mouse actions on the grid at the real places of its cells (row 1 is the
// first map row) and header sections.
QPoint CellCentre(frmMain& window, int row, int col);
void PressCell(frmMain& window, int row, int col, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void ClickCell(frmMain& window, int row, int col, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);
QPoint HeaderCentre(frmMain& window, int col);
void ClickHeader(frmMain& window, int col, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = Qt::NoModifier);

void Click(QWidget* control);

// Cell texts of a column, top to bottom.
QStringList ColumnTexts(frmMain& window, int col);
// The state the picture of a row's tick cell shows, told by identity with the
// picture boxes: 'v' ticked, '.' unticked, 'x' missing file, '?' none of them.
char TickPicture(frmMain& window, int row);
QString TickPictures(frmMain& window);

// What the next message box showed; it is answered with its default button.
struct SeenMessage {
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool ownerVisible = false;
};
// Watches for the next modal message box of the program, records it and closes it.
void AnswerNextMessage(std::shared_ptr<SeenMessage> seen, QWidget* owner = nullptr);

} // namespace mapwren::testing
