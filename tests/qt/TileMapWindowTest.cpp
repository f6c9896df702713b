// The tile map window's Qt binding: opened by the main window's shortcut, the
// pointer, the wheel and keys over its area reaching the form through Qt's
// event path, and what the form gives drawn, in both windows. The behaviour
// itself is tested on the form.
#include <QLabel>
#include <QTableView>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include "qt/MainWindow.h"
#include "support/Fixtures.h"
#include "support/StandIn.h"
#include "tests/qt/StartedWindow.h"
#include "tilemap/frmTileMapDesign.h"

namespace mapwren {

namespace {

// A started main window with two one-tile maps in the open Atlantic, where no
// outline runs, a.img west of b.img, and c.img, a map with no place.
struct Started : StartedWindow {
    Started()
    {
        testing::WriteTileImg(maps.path() / "a.img", "Alpha", {{"00000001", 41, -30, 40, -31}});
        testing::WriteTileImg(maps.path() / "b.img", "Bravo", {{"00000002", 41, -28, 40, -29}});
        testing::WriteImg(maps.path() / "c.img", "Charlie", "");
        Start({"a.img", "b.img", "c.img"});
    }
    QWidget* Area() const { return window->TileMap()->Area(); }
    // The centre of a map row's tile, in the area's pixels.
    QPoint Centre(std::size_t row) const
    {
        const std::vector<TileShape> tiles = window->TileMap()->Form().Tiles();
        const auto tile = std::ranges::find(tiles, row, &TileShape::row);
        return QPointF((tile->rect.left + tile->rect.right) / 2, (tile->rect.top + tile->rect.bottom) / 2).toPoint();
    }
    // A move over the area; QTest's own moves send nothing on the offscreen platform.
    void Move(QPoint to, Qt::MouseButtons held = Qt::NoButton) const
    {
        QMouseEvent move(QEvent::MouseMove, to, Area()->mapToGlobal(to), Qt::NoButton, held, {});
        QApplication::sendEvent(Area(), &move);
    }
    QColor Drawn(QPoint at) const
    {
        QApplication::processEvents();   // the repaints asked for
        return Area()->grab().toImage().pixelColor(at);
    }
};

const QColor kSea(kTileMapSea.red, kTileMapSea.green, kTileMapSea.blue);

} // namespace

class TileMapWindowTest : public QObject {
    Q_OBJECT
private slots:
    void PointerWheelKeysAndClicksReachTheFormAndBothWindowsDrawWhatItGives()
    {
        Started s;
        QTest::keyClick(s.window.get(), Qt::Key_F3);
        QVERIFY(s.window->TileMap() && QTest::qWaitForWindowExposed(s.window->TileMap()));
        frmTileMap& map = s.window->TileMap()->Form();
        const double fitted = map.PixelsPerDegree();
        s.Move(s.Centre(1));
        QTRY_VERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().startsWith(QStringLiteral("b.img\nBravo")));
        QWheelEvent wheel(s.Centre(1), s.Area()->mapToGlobal(s.Centre(1)), {}, {0, 120}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(s.Area(), &wheel);
        QVERIFY(map.PixelsPerDegree() > fitted);
        const GeoPoint before = map.Centre();
        QTest::mousePress(s.Area(), Qt::RightButton, {}, QPoint(100, 100));
        s.Move(QPoint(160, 100), Qt::RightButton);
        QTest::mouseRelease(s.Area(), Qt::RightButton, {}, QPoint(160, 100));
        QVERIFY(map.Centre().lon < before.lon);   // the map moved right with the pointer
        QTest::keyClick(s.Area(), Qt::Key_Home);
        QCOMPARE(map.PixelsPerDegree(), fitted);
        // A click on a tile ticks its row in both windows.
        QCOMPARE(s.Drawn(s.Centre(0)), kSea);
        QTest::mouseClick(s.Area(), Qt::LeftButton, {}, s.Centre(0));
        QCOMPARE(static_cast<QLabel*>(s.window->Widget("lblFilesSelected"))->text(), QStringLiteral("1 Map Selected"));
        QVERIFY(s.Drawn(s.Centre(0)) != kSea);   // filled
        // A press on b's tick cell in the grid fills b's tile.
        QTableView* grid = s.window->Grid();
        const QPoint tickCell(grid->columnViewportPosition(0) + 4, grid->rowViewportPosition(1) + 4);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, tickCell);
        QVERIFY(s.Drawn(s.Centre(1)) != kSea);
        // The status line names the map with no place until Clear empties the grid.
        auto* status = s.window->TileMap()->findChild<QLabel*>(QStringLiteral("status"));
        QVERIFY(status->text().endsWith(QStringLiteral("c.img")));
        QTest::mouseClick(s.window->Widget("cmdClearGrid"), Qt::LeftButton);
        QCOMPARE(status->text(), QString());
    }
};

} // namespace mapwren

QTEST_MAIN(mapwren::TileMapWindowTest)
#include "TileMapWindowTest.moc"
