#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>

#include "WindowFixture.h"
#include "WindowTests.h"
#include "app/MapListModel.h"
#include "common/Paths.h"

namespace mapwren::testing {

namespace {

QString Header(frmMain& w, int col)
{
    return w.GridModel().headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
}

QString Enabled(std::initializer_list<QWidget*> controls)
{
    QString states;
    for (QWidget* control : controls)
        states += control->isEnabled() ? '1' : '0';
    return states;
}

// A started window with three maps loaded: a.img (Charlie, 1000 bytes),
// b.img (Alpha, 900 bytes), c.img (Bravo, 1572864 bytes).
struct GridWindow {
    TempDir maps;
    StartedWindow started;
    frmMain& w = *started.window;

    GridWindow()
    {
        WriteMaps(maps.path(), {{"a.img", "Charlie", 1000}, {"b.img", "Alpha", 900}, {"c.img", "Bravo", 1572864}});
        LoadFolder(w, maps.path());
    }
    std::string ShortPath(const char* file) const { return GetShortFileName(maps.folder() + file); }
    QString Captions() const { return w.lblFilesSelected->text() + " | " + w.lblTotalBytes->text(); }
};

class GridMouseTest : public QObject {
    Q_OBJECT
private slots:
    void OnlyAPlainLeftPressOnATickCellTicks_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("ticks");
        QTest::newRow("left") << int(Qt::LeftButton) << int(Qt::NoModifier) << true;
        QTest::newRow("right") << int(Qt::RightButton) << int(Qt::NoModifier) << false;
        QTest::newRow("middle") << int(Qt::MiddleButton) << int(Qt::NoModifier) << false;
        QTest::newRow("left with Shift") << int(Qt::LeftButton) << int(Qt::ShiftModifier) << false;
        QTest::newRow("left with Ctrl") << int(Qt::LeftButton) << int(Qt::ControlModifier) << false;
        QTest::newRow("left with Alt") << int(Qt::LeftButton) << int(Qt::AltModifier) << false;
    }

    void OnlyAPlainLeftPressOnATickCellTicks()
    {
        QFETCH(int, button);
        QFETCH(int, modifiers);
        QFETCH(bool, ticks);
        const auto mouse = Qt::MouseButton(button);
        const auto keys = Qt::KeyboardModifiers(modifiers);
        GridWindow g;
        Click(g.w.cmdClearGrid);   // hides the summary captions
        LoadFolder(g.w, g.maps.path());
        ClickCell(g.w, 2, 0, mouse, keys);
        QCOMPARE(TickPictures(g.w), ticks ? QStringLiteral(".v.") : QStringLiteral("..."));
        QCOMPARE(g.w.lblFilesSelected->isVisible(), ticks);
        QCOMPARE(g.w.lblTotalBytes->isVisible(), ticks);
        QCOMPARE(g.w.Maps().SelectedCount(), ticks ? 1 : 0);

        // With a map ticked, any press makes Erase and Upload usable again
        // after the first variant greyed them with USB selected.
        Click(g.w.optUSB);
        ClickCell(g.w, 1, 0);
        g.w.mnuUseSendmap1->trigger();
        QCOMPARE(Enabled({g.w.cmdEraseGPS, g.w.cmdUpload, g.w.cmdCreateFile}), QStringLiteral("000"));
        ClickCell(g.w, 1, 1, mouse, keys);
        QCOMPARE(Enabled({g.w.cmdEraseGPS, g.w.cmdUpload, g.w.cmdCreateFile}), QStringLiteral("111"));
        // So does one on the header, but for a plain left press, which is left to the sort.
        g.w.mnuUseSendmap1->trigger();
        QTest::mousePress(g.w.MSFlexGrid1->horizontalHeader()->viewport(), mouse, keys, HeaderCentre(g.w, 1));
        QCOMPARE(Enabled({g.w.cmdEraseGPS, g.w.cmdUpload, g.w.cmdCreateFile}), ticks ? "000" : "111");
        QTest::mouseRelease(g.w.MSFlexGrid1->horizontalHeader()->viewport(), mouse, keys, HeaderCentre(g.w, 1));
    }

    void APressOnAnotherColumnShowsTheCaptionsAndTicksNothing()
    {
        GridWindow g;
        Click(g.w.cmdClearGrid);
        LoadFolder(g.w, g.maps.path());
        for (int col = 1; col <= 4; ++col)
            ClickCell(g.w, 1, col);
        QCOMPARE(TickPictures(g.w), QStringLiteral("..."));
        QVERIFY(g.w.lblFilesSelected->isVisible() && g.w.lblTotalBytes->isVisible());
        QCOMPARE(g.w.Row(), 1);
        QCOMPARE(g.w.Col(), 4);
    }

    void TickingKeepsCountTotalAndFilesInStep()
    {
        GridWindow g;
        ClickCell(g.w, 3, 0);
        QCOMPARE(g.Captions(), QStringLiteral("1 Map Selected | Total Bytes: 1572864 (1.5MB)"));
        ClickCell(g.w, 1, 0);
        QCOMPARE(g.Captions(), QStringLiteral("2 Maps Selected | Total Bytes: 1573864 (1.5MB)"));
        QCOMPARE(g.w.Maps().SelectedFilesText(), g.ShortPath("c.img") + " " + g.ShortPath("a.img") + " ");
        QCOMPARE(Enabled({g.w.cmdUpload, g.w.cmdCreateFile, g.w.cmdSelectNone, g.w.cmdSaveList}),
                 QStringLiteral("1111"));
        ClickCell(g.w, 3, 0);
        QCOMPARE(g.Captions(), QStringLiteral("1 Map Selected | Total Bytes: 1000 (0.0MB)"));
        QCOMPARE(g.w.Maps().SelectedFilesText(), g.ShortPath("a.img") + " ");
        ClickCell(g.w, 1, 0);
        QCOMPARE(g.Captions(), QStringLiteral("0 Maps Selected | Total Bytes: 0 (0.0MB)"));
        QCOMPARE(g.w.Maps().SelectedFilesText(), std::string());
        QCOMPARE(Enabled({g.w.cmdUpload, g.w.cmdCreateFile, g.w.cmdSelectNone, g.w.cmdSaveList}),
                 QStringLiteral("0000"));
        QCOMPARE(g.w.Row(), 1);
        QCOMPARE(g.w.Col(), 0);
    }

    void WithoutAPortTickingLeavesTheUploadButtons()
    {
        ToolFolder tools({"sendmap.exe"});
        TempDir maps;
        WriteMaps(maps.path(), {{"a.img", "A", 200}});
        auto w = StartWindow(tools.Folder());
        QVERIFY(w);
        LoadFolder(*w, maps.path());
        ClickCell(*w, 1, 0);
        QCOMPARE(Enabled({w->cmdSelectNone, w->cmdSaveList, w->cmdUpload, w->cmdCreateFile}), QStringLiteral("1100"));
    }

    void AMissingFileRowNeverTicks()
    {
        GridWindow g;
        g.w.AppendMapRows({MapRow{RowState::Missing, "gone.img", g.maps.folder(), "", 0}});
        ClickCell(g.w, 4, 0);
        QCOMPARE(TickPictures(g.w), QStringLiteral("...x"));
        QCOMPARE(g.w.Maps().SelectedCount(), 0);
        // With the missing-file cell current, a header press fails the test
        // and leaves the current cell where it was.
        QTest::mousePress(g.w.MSFlexGrid1->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier, HeaderCentre(g.w, 2));
        QCOMPARE(g.w.Row(), 4);
        QTest::mouseRelease(g.w.MSFlexGrid1->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                            HeaderCentre(g.w, 2));
        // From any other cell it makes the header's first cell current.
        ClickCell(g.w, 1, 2);
        QTest::mousePress(g.w.MSFlexGrid1->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier, HeaderCentre(g.w, 2));
        QCOMPARE(g.w.Row(), 0);
        QCOMPARE(g.w.Col(), 0);
        QTest::mouseRelease(g.w.MSFlexGrid1->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                            HeaderCentre(g.w, 2));
    }

    void APressBeyondTheLastRowTicksNothing()
    {
        GridWindow g;
        ClickCell(g.w, 3, 0);
        const QPoint below = CellCentre(g.w, 3, 0) + QPoint(0, 60);
        QTest::mouseClick(g.w.MSFlexGrid1->viewport(), Qt::LeftButton, Qt::NoModifier, below);
        QCOMPARE(TickPictures(g.w), QStringLiteral("..v"));
    }

    void ADoubleClickOnATickCellFlipsTwice()
    {
        GridWindow g;
        // As the window system reports it: a press, then a double-click event.
        ClickCell(g.w, 2, 0);
        QTest::mouseDClick(g.w.MSFlexGrid1->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(g.w, 2, 0));
        QCOMPARE(TickPictures(g.w), QStringLiteral("..."));
        QCOMPARE(g.w.Maps().SelectedCount(), 0);
    }

    void TheWheelScrollsByWholeRows()
    {
        TempDir maps;
        StartedWindow started;
        std::vector<MapSpec> many;
        for (int i = 0; i < 40; ++i)
            many.push_back({"m" + std::to_string(10 + i) + ".img", "Map", 1000});
        WriteMaps(maps.path(), many);
        LoadFolder(*started.window, maps.path());
        QTableView* grid = started.window->MSFlexGrid1;
        const QPointF at = grid->viewport()->rect().center();
        QWheelEvent notch(at, grid->viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &notch);
        QVERIFY(grid->rowAt(0) > 0);
        QCOMPARE(grid->rowViewportPosition(grid->rowAt(0)), 0);   // no half row at the top
    }

    void AReleasePastTheLastHeaderSortsNothing()
    {
        GridWindow g;
        Click(g.w.cmdClearGrid);
        QHeaderView* header = g.w.MSFlexGrid1->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(header->width() - 2, header->height() / 2));
        for (int col = 0; col < 5; ++col)
            QVERIFY(!Header(g.w, col).startsWith(QLatin1String("> ")));
    }

    void ReleasesOverTheHeaderSort()
    {
        GridWindow g;
        ClickHeader(g.w, 3);
        QCOMPARE(Header(g.w, 3), QStringLiteral("> Map Name"));
        QCOMPARE(ColumnTexts(g.w, 1), (QStringList{"b.img", "c.img", "a.img"}));
        ClickHeader(g.w, 3);
        QCOMPARE(Header(g.w, 3), QStringLiteral("< Map Name"));
        QCOMPARE(ColumnTexts(g.w, 1), (QStringList{"a.img", "c.img", "b.img"}));
        ClickHeader(g.w, 3);
        QCOMPARE(Header(g.w, 3), QStringLiteral("> Map Name"));
        QCOMPARE(ColumnTexts(g.w, 1), (QStringList{"b.img", "c.img", "a.img"}));
        ClickHeader(g.w, 4, Qt::RightButton, Qt::ShiftModifier);
        QCOMPARE(Header(g.w, 3), QStringLiteral("Map Name"));
        QCOMPARE(Header(g.w, 4), QStringLiteral("> Bytes"));
        QCOMPARE(ColumnTexts(g.w, 4), (QStringList{"900", "1000", "1572864"}));
        QCOMPARE(g.w.Row(), 0);
        QCOMPARE(g.w.Col(), 4);
        for (int col : {1, 2})
            ClickHeader(g.w, col, Qt::MiddleButton, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(Header(g.w, 1), QStringLiteral("File"));
        QCOMPARE(Header(g.w, 2), QStringLiteral("> Folder"));
    }

    void SortingTheTickColumnGathersTheTickedMaps()
    {
        GridWindow g;
        ClickCell(g.w, 2, 0);
        const std::string files = g.w.Maps().SelectedFilesText();
        ClickHeader(g.w, 0);
        QCOMPARE(Header(g.w, 0), QStringLiteral("> "));
        QCOMPARE(TickPictures(g.w), QStringLiteral("v.."));
        QCOMPARE(ColumnTexts(g.w, 1).first(), QStringLiteral("b.img"));
        QCOMPARE(g.w.Maps().SelectedFilesText(), files);
        QCOMPARE(g.w.lblFilesSelected->text(), QStringLiteral("1 Map Selected"));
    }

    void PressOnATickCellAndReleaseOverTheHeaderTicksAndSorts()
    {
        GridWindow g;
        PressCell(g.w, 3, 0);
        QTest::mouseRelease(g.w.MSFlexGrid1->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                            HeaderCentre(g.w, 0));
        QCOMPARE(TickPictures(g.w), QStringLiteral("v.."));
        QCOMPARE(ColumnTexts(g.w, 1).first(), QStringLiteral("c.img"));
    }
};

} // namespace

std::unique_ptr<QObject> MakeGridMouseTest() { return std::make_unique<GridMouseTest>(); }

} // namespace mapwren::testing

#include "GridMouseTest.moc"
