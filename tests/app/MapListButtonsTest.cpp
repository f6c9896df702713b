#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "WindowFixture.h"
#include "WindowTests.h"
#include "app/MapListModel.h"
#include "app/Twips.h"
#include "common/Paths.h"

namespace mapwren::testing {

namespace {

namespace fs = std::filesystem;

// Enabled states of Select All, Select None, Save, Upload, Create File, Clear.
QString ListButtons(frmMain& w)
{
    QString states;
    for (QPushButton* button :
         {w.cmdSelectAll, w.cmdSelectNone, w.cmdSaveList, w.cmdUpload, w.cmdCreateFile, w.cmdClearGrid})
        states += button->isEnabled() ? '1' : '0';
    return states;
}

bool CaptionsShown(frmMain& w) { return w.lblFilesSelected->isVisible() && w.lblTotalBytes->isVisible(); }

std::vector<MapSpec> NumberedMaps(int count)
{
    std::vector<MapSpec> maps;
    for (int i = 0; i < count; ++i)
        maps.push_back({"m" + std::to_string(100 + i) + ".img", "Map " + std::to_string(i), 200});
    return maps;
}

class MapListButtonsTest : public QObject {
    Q_OBJECT
private slots:
    void LoadFolderAddsTheFolderMapsInNameOrder()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir maps;
        WriteImg(maps.path() / "b.img", "Beta", "");
        WriteImg(maps.path() / "A.IMG", "Alpha", "", 0x5A, 3000);
        WriteBytes(maps.path() / "c.txt", "not a map");
        fs::create_directory(maps.path() / "d.img");
        LoadFolder(w, maps.path());
        QCOMPARE(ColumnTexts(w, 1), (QStringList{"A.IMG", "b.img"}));
        const QString folder = QString::fromStdString(maps.folder());
        QCOMPARE(ColumnTexts(w, 2), (QStringList{folder, folder}));
        QCOMPARE(ColumnTexts(w, 3), (QStringList{"Alpha" + QString(45, ' '), "Beta" + QString(46, ' ')}));
        QCOMPARE(ColumnTexts(w, 4), (QStringList{"3000", "131"}));
        QCOMPARE(TickPictures(w), QStringLiteral(".."));
        QCOMPARE(ColumnTexts(w, 0), (QStringList{"  ", "  "}));
        QCOMPARE(ListButtons(w), QStringLiteral("100001"));
        QCOMPARE(w.Row(), 2);
    }

    void LoadFolderHidesTheGridWhileItFills()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir maps;
        WriteMaps(maps.path(), NumberedMaps(3));
        bool gridShown = true;
        bool processingShown = false;
        connect(&w.GridModel(), &QAbstractItemModel::rowsAboutToBeInserted, this, [&] {
            gridShown = w.MSFlexGrid1->isVisible();
            processingShown = w.lblProcessing->isVisible();
        });
        LoadFolder(w, maps.path());
        QVERIFY(!gridShown);
        QVERIFY(processingShown);
        QVERIFY(w.MSFlexGrid1->isVisible());
        QVERIFY(w.MSFlexGrid1->geometry().contains(w.lblProcessing->geometry()));
        // Beneath the grid: hidden from view whenever the grid shows.
        const QObjectList order = w.centralWidget()->children();
        QVERIFY(order.indexOf(w.lblProcessing) < order.indexOf(w.MSFlexGrid1));
    }

    void LoadFolderAppendsAndKeepsTheSelection()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir maps;
        WriteMaps(maps.path(), NumberedMaps(3));
        LoadFolder(w, maps.path());
        ClickCell(w, 2, 0);
        const QString count = w.lblFilesSelected->text();
        LoadFolder(w, maps.path());
        QCOMPARE(w.GridModel().rowCount(), 6);
        QCOMPARE(TickPictures(w), QStringLiteral(".v...."));
        QCOMPARE(ColumnTexts(w, 1).mid(3), (QStringList{"m100.img", "m101.img", "m102.img"}));
        QCOMPARE(w.lblFilesSelected->text(), count);
        QCOMPARE(w.Maps().SelectedCount(), 1);
    }

    void CancelOrAFolderWithoutMapsAddsNothing()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        for (const QString& answer : {QString(), QStringLiteral("*.img")}) {
            w.AskForImgFile = [answer] { return answer; };
            Click(w.cmdFileOpen);
            QCOMPARE(ListButtons(w), QStringLiteral("000000"));
        }
        TempDir empty;
        WriteBytes(empty.path() / "readme.txt", "no maps");
        LoadFolder(w, empty.path());
        QCOMPARE(w.GridModel().rowCount(), 0);
        QCOMPARE(ListButtons(w), QStringLiteral("000001"));
    }

    void TheMapNameColumnNarrowsPastEighteenRows()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir eighteen;
        TempDir one;
        WriteMaps(eighteen.path(), NumberedMaps(18));
        WriteMaps(one.path(), NumberedMaps(1));
        LoadFolder(w, eighteen.path());
        QCOMPARE(w.MSFlexGrid1->columnWidth(3), Px(3990));
        LoadFolder(w, one.path());
        QCOMPARE(w.MSFlexGrid1->columnWidth(3), Px(3740));
        Click(w.cmdClearGrid);
        QCOMPARE(w.MSFlexGrid1->columnWidth(3), Px(3990));
        LoadFolder(w, eighteen.path());
        QCOMPARE(w.MSFlexGrid1->columnWidth(3), Px(3990));
        const QList<int> widths{Px(250), Px(1300), Px(3607), Px(3990), Px(1020)};
        for (int col = 0; col < 5; ++col)
            QCOMPARE(w.MSFlexGrid1->columnWidth(col), widths[col]);
    }

    void SelectAllSelectNoneAndClear()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir maps;
        WriteMaps(maps.path(), {{"a.img", "A", 1048576}, {"b.img", "B", 524288}});
        LoadFolder(w, maps.path());
        w.AppendMapRows({MapRow{RowState::Missing, "gone.img", maps.folder(), "", 0}});
        ClickCell(w, 2, 0);
        Click(w.cmdSelectAll);
        QCOMPARE(TickPictures(w), QStringLiteral("vvx"));
        QCOMPARE(w.lblFilesSelected->text(), QStringLiteral("2 Maps Selected"));
        QCOMPARE(w.lblTotalBytes->text(), QStringLiteral("Total Bytes: 1572864 (1.5MB)"));
        QCOMPARE(w.Maps().SelectedFilesText(),
                 GetShortFileName(maps.folder() + "a.img") + " " + GetShortFileName(maps.folder() + "b.img") + " ");
        QCOMPARE(ListButtons(w), QStringLiteral("011111"));
        QVERIFY(CaptionsShown(w));

        Click(w.cmdSelectNone);
        QCOMPARE(TickPictures(w), QStringLiteral("..x"));
        QCOMPARE(w.lblFilesSelected->text(), QStringLiteral("0 Maps Selected"));
        QCOMPARE(w.lblTotalBytes->text(), QStringLiteral("Total Bytes: 0 (0MB)"));
        QCOMPARE(ListButtons(w), QStringLiteral("100001"));
        QVERIFY(CaptionsShown(w));

        Click(w.cmdSelectAll);
        Click(w.cmdClearGrid);
        QCOMPARE(w.GridModel().rowCount(), 0);
        QCOMPARE(ListButtons(w), QStringLiteral("000000"));
        QVERIFY(!w.lblFilesSelected->isVisibleTo(&w) && !w.lblTotalBytes->isVisibleTo(&w));
        QCOMPARE(w.Maps().SelectedCount(), 0);
        QCOMPARE(w.Row(), 0);
    }

    void SelectAllWithoutAPortLeavesTheUploadButtons()
    {
        ToolFolder tools({"sendmap.exe"});
        TempDir maps;
        WriteMaps(maps.path(), NumberedMaps(2));
        auto w = StartWindow(tools.Folder());
        QVERIFY(w);
        LoadFolder(*w, maps.path());
        Click(w->cmdSelectAll);
        QCOMPARE(ListButtons(*w), QStringLiteral("011001"));
    }

    void ClearMovesTheFocusToLoadFolder()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        TempDir maps;
        WriteMaps(maps.path(), NumberedMaps(2));
        LoadFolder(w, maps.path());
        w.cmdClearGrid->setFocus();
        QTest::keyClick(w.cmdClearGrid, Qt::Key_Space);
        QCOMPARE(w.GridModel().rowCount(), 0);
        QVERIFY(w.cmdFileOpen->hasFocus());
    }

#ifndef _WIN32
    void UnreadableMapsAreNamedInOneMessage()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir maps;
        WriteMaps(maps.path(), NumberedMaps(8));
        for (int i = 0; i < 7; ++i)
            ::chmod((maps.path() / ("m10" + std::to_string(i) + ".img")).c_str(), 0);
        auto seen = std::make_shared<SeenMessage>();
        AnswerNextMessage(seen);
        // Root reads every file: look at the folder as an ordinary user would.
        const bool root = ::geteuid() == 0;
        if (root && ::seteuid(65534) != 0)
            QSKIP("cannot take an ordinary user's rights");
        LoadFolder(w, maps.path());
        if (root)
            QVERIFY(::seteuid(0) == 0);
        QVERIFY(seen->shown);
        QCOMPARE(seen->icon, QMessageBox::Warning);
        const QStringList lines = seen->text.split('\n');
        QCOMPARE(lines.size(), 7);
        QCOMPARE(lines[1], QString::fromStdString(maps.folder() + "m100.img"));
        QCOMPARE(lines.last(), QStringLiteral("and 2 more"));
        QCOMPARE(w.GridModel().rowCount(), 8);
        QCOMPARE(ColumnTexts(w, 3).first(), QString());
    }
#endif
};

} // namespace

std::unique_ptr<QObject> MakeMapListButtonsTest() { return std::make_unique<MapListButtonsTest>(); }

} // namespace mapwren::testing

#include "MapListButtonsTest.moc"
