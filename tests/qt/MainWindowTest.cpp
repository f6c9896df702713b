// The Qt front-end's binding: each user's action reaching the form through
// Qt's own event path, and what the form changed drawn (the controls' places
// and captions: CaptionsFitTest). The behaviour itself is tested on the form.
#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "qt/MainWindow.h"
#include "qt/MapListModel.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"
#include "tests/qt/StartedWindow.h"

namespace mapwren {

namespace {

// A started window over a program folder holding both tools (the second in use), with three
// maps loaded: a.img (Charlie, 1000 bytes), b.img (Alpha, 900), c.img (Bravo, 2411724800).
struct Started : StartedWindow {
    Started()
    {
        testing::CopyStandIn(tools.path(), "sendmap.exe");
        testing::WriteImg(maps.path() / "a.img", "Charlie", "", 0, 1000);
        testing::WriteImg(maps.path() / "b.img", "Alpha", "", 0, 900);
        testing::WriteImg(maps.path() / "c.img", "Bravo", "", 0, 2411724800);
        Start({"a.img", "b.img", "c.img"});
    }
    QWidget* operator[](const char* name) const { return window->Widget(name); }
    QPoint Cell(int row, int col) const
    {
        QTableView* grid = window->Grid();
        return {grid->columnViewportPosition(col) + grid->columnWidth(col) / 2,
                grid->rowViewportPosition(row - 1) + grid->rowHeight(row - 1) / 2};
    }
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    // One of each kind of control and a menu item; the focus the form gives drawn too, Shift+Tab going back by
    // the form's tab order: Qt would move the focus by its own chain. The access keys: the real-input tests.
    void ClicksKeysAndTypingReachTheFormAndItsStateIsDrawn()
    {
        Started s;
        QTest::mouseClick(s["cmdSelectAll"], Qt::LeftButton);   // Create File is then usable
        QVERIFY(!s["cmdSelectAll"]->isEnabled());
        s["opt115200"]->setFocus();
        QTest::keyClick(s["opt115200"], Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(s["optAuto"]->hasFocus());   // the port group entered at its selected button
        QTest::mouseClick(s["optCOM"], Qt::LeftButton);
        QVERIFY(s.form->SelectedPort() == Port::Com && s["cboCOM"]->isEnabled());
        s["cboCOM"]->setFocus();
        QTest::keyClick(s["cboCOM"], Qt::Key_Down);   // the closed box steps to the next port
        QCOMPARE(s.form->cboCOM.text, std::string("COM2"));
        QTest::mouseClick(s["chkMapset"], Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(s["txtMapset"]->isEnabled() && s["txtMapset"]->hasFocus());
        QTest::keyClicks(s["txtMapset"], QStringLiteral("Alps"));
        QCOMPARE(s.form->txtMapset.text, std::string("Alps"));
        QTest::mouseClick(s["chkCreateFile"], Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(s["cmdCreateFile"]->isVisible() && !s["cmdUpload"]->isVisible() && s["cmdCreateFile"]->isEnabled());
        QTest::mouseClick(s["cmdEraseGPS"], Qt::LeftButton);
        QVERIFY(s["optSureNo"]->isVisible());
        QTest::mouseClick(s["optSureNo"], Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(!s["optSureNo"]->isVisible() && !static_cast<QRadioButton*>(s["optSureNo"])->isChecked());
        s.window->MenuItem("mnuUseSendmap1")->trigger();
        QVERIFY(s.window->windowTitle().endsWith(QLatin1String("(Using Sendmap.exe)")));
        QVERIFY(s.window->MenuItem("mnuUseSendmap1")->isChecked() && !s.window->MenuItem("mnuUseSendmap2")->isChecked());
    }

    // Presses reach the form through the viewports; the current cell is framed in dots while the grid has the
    // keyboard, as on Windows: a faint tint is not seen.
    void GridPressesReachTheFormThroughTheViewportsAndItsCurrentCellIsFramed()
    {
        Started s;
        QAbstractItemModelTester tester(&s.window->GridModel());
        QTableView* grid = s.window->Grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, s.Cell(2, 1));   // a file cell: ticks nothing
        const auto darkDotsOnTheFrame = [&] {
            const QImage shown = grid->viewport()->grab().toImage();
            const QRect cell = grid->visualRect(grid->model()->index(1, 1)).adjusted(1, 1, -2, -2);
            int dark = 0;
            for (int x = cell.left() + 2; x < cell.right() - 2; ++x)
                dark += qGray(shown.pixel(x, cell.top())) < 96;
            return dark * 3 > cell.width();   // about every other pixel
        };
        QVERIFY(grid->hasFocus() && darkDotsOnTheFrame());
        s["cmdExit"]->setFocus();
        QVERIFY(!darkDotsOnTheFrame());
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, s.Cell(2, 0));
        QCOMPARE(static_cast<QLabel*>(s["lblFilesSelected"])->text(), QStringLiteral("1 Map Selected"));
        const QHeaderView* header = grid->horizontalHeader();
        const QPoint mapName(header->sectionViewportPosition(3) + header->sectionSize(3) / 2, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::RightButton, {}, mapName);
        QCOMPARE(s.window->GridModel().headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QStringLiteral("> Map Name"));
        QTest::mouseClick(s["cmdClearGrid"], Qt::LeftButton);
        QCOMPARE(s.window->GridModel().rowCount(), 0);
    }
};

} // namespace mapwren

QTEST_MAIN(mapwren::MainWindowTest)
#include "MainWindowTest.moc"
