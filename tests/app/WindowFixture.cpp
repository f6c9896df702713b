#include "WindowFixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "app/MapListModel.h"
#include "common/Paths.h"

namespace mapwren::testing {

namespace fs = std::filesystem;

ToolFolder::ToolFolder(const QStringList& toolNames)
{
    for (const QString& name : toolNames)
        fs::copy_file(MAPWREN_STANDIN, dir_.path() / name.toStdString());
}

std::string ToolFolder::Folder() const
{
    std::string folder = dir_.folder();
    folder.pop_back();
    return folder;
}

std::unique_ptr<frmMain> StartWindow(const std::string& programFolder)
{
    auto window = std::make_unique<frmMain>(programFolder, std::string());
    if (!window->Form_Load()) {
        QTest::qFail("start-up refused", __FILE__, __LINE__);
        return nullptr;
    }
    return window;
}

void WriteMaps(const fs::path& folder, const std::vector<MapSpec>& maps)
{
    fs::create_directories(folder);
    for (const MapSpec& map : maps)
        WriteImg(folder / map.file, map.name, "", 0, map.bytes);
}

void LoadFolder(frmMain& window, const fs::path& folder)
{
    const QString picked = QString::fromStdString(Utf8FromPath(folder / "any.img"));
    window.AskForImgFile = [picked] { return picked; };
    Click(window.cmdFileOpen);
}

QPoint CellCentre(frmMain& window, int row, int col)
{
    return window.MSFlexGrid1->visualRect(window.GridModel().index(row - 1, col)).center();
}

void PressCell(frmMain& window, int row, int col, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QTest::mousePress(window.MSFlexGrid1->viewport(), button, modifiers, CellCentre(window, row, col));
}

void ClickCell(frmMain& window, int row, int col, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(window.MSFlexGrid1->viewport(), button, modifiers, CellCentre(window, row, col));
}

QPoint HeaderCentre(frmMain& window, int col)
{
    const QHeaderView* header = window.MSFlexGrid1->horizontalHeader();
    return {header->sectionViewportPosition(col) + header->sectionSize(col) / 2, header->height() / 2};
}

void ClickHeader(frmMain& window, int col, Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(window.MSFlexGrid1->horizontalHeader()->viewport(), button, modifiers, HeaderCentre(window, col));
}

void Click(QWidget* control)
{
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
}

QStringList ColumnTexts(frmMain& window, int col)
{
    QStringList texts;
    const MapListModel& model = window.GridModel();
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.data(model.index(row, col), Qt::DisplayRole).toString();
    return texts;
}

char TickPicture(frmMain& window, int row)
{
    const MapListModel& model = window.GridModel();
    const qint64 key = model.data(model.index(row - 1, 0), Qt::DecorationRole).value<QPixmap>().cacheKey();
    if (key == window.picChecked->pixmap().cacheKey())
        return 'v';
    if (key == window.picUnchecked->pixmap().cacheKey())
        return '.';
    if (key == window.picNoFileExist->pixmap().cacheKey())
        return 'x';
    return '?';
}

QString TickPictures(frmMain& window)
{
    QString pictures;
    for (int row = 1; row <= window.GridModel().rowCount(); ++row)
        pictures += QLatin1Char(TickPicture(window, row));
    return pictures;
}

void AnswerNextMessage(std::shared_ptr<SeenMessage> seen, QWidget* owner)
{
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, seen, owner, tries] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (++*tries > 2000)
                timer->deleteLater();
            return;
        }
        seen->shown = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        seen->ownerVisible = owner && owner->isVisible();
        timer->deleteLater();
        box->done(QMessageBox::Ok);
    });
    timer->start();
}

} // namespace mapwren::testing
