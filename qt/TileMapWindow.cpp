// The tile map window: the form's draw list painted, the pointer, the wheel
// and keys over the drawing area passed to the form.
#include "qt/TileMapWindow.h"

#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QScreen>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "qt/DesignFont.h"
#include "qt/Input.h"
#include "qt/Text.h"
#include "tilemap/WorldOutlines.h"
#include "tilemap/frmTileMapDesign.h"

namespace mapwren {

namespace {

QColor Colour(Rgb rgb, int alpha = 255) { return QColor(rgb.red, rgb.green, rgb.blue, alpha); }

QRectF Rect(const PixelRect& rect) { return QRectF(QPointF(rect.left, rect.top), QPointF(rect.right, rect.bottom)); }

QPen Pen(Rgb colour, qreal width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(Colour(colour), width, style);
    pen.setCosmetic(true);
    return pen;
}

constexpr double kWheelNotch = 120;   // angleDelta() units of one notch of the wheel

} // namespace

// The drawing area: every event it gets goes to the form.
class TileMapArea : public QWidget {
public:
    explicit TileMapArea(TileMapWindow& window) : QWidget(&window), window_(window)
    {
        setObjectName(QStringLiteral("map"));
        setMouseTracking(true);   // hovering shows a tile's tooltip
        setFocusPolicy(Qt::StrongFocus);
        setMinimumSize(120, 90);
    }

protected:
    void paintEvent(QPaintEvent*) override { window_.Paint(this); }
    void resizeEvent(QResizeEvent*) override { window_.form_.Resize(width(), height()); }
    void mousePressEvent(QMouseEvent* event) override
    {
        const QPointF at = event->position();
        window_.Forward([&] {
            window_.form_.MouseDown(ButtonCode(event->button()), ShiftMask(event->modifiers()), at.x(), at.y());
        });
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPointF at = event->position();
        window_.Forward([&] {
            window_.form_.MouseMove(ButtonCodes(event->buttons()), ShiftMask(event->modifiers()), at.x(), at.y());
        });
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        const QPointF at = event->position();
        window_.Forward([&] {
            window_.form_.MouseUp(ButtonCode(event->button()), ShiftMask(event->modifiers()), at.x(), at.y());
        });
    }
    void wheelEvent(QWheelEvent* event) override
    {
        const QPointF at = event->position();
        window_.Forward([&] { window_.form_.MouseWheel(event->angleDelta().y() / kWheelNotch, at.x(), at.y()); });
    }
    void leaveEvent(QEvent*) override
    {
        window_.Forward([&] { window_.form_.MouseLeave(); });
    }
    void keyPressEvent(QKeyEvent* event) override
    {
        bool used = false;
        window_.Forward([&] { used = window_.form_.KeyDown(KeyCode(event->key()), ShiftMask(event->modifiers())); });
        if (!used)
            QWidget::keyPressEvent(event);
    }

private:
    TileMapWindow& window_;
};

TileMapWindow::TileMapWindow(TickableMaps& main, std::function<void()> drawMain, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window), form_(main, WorldOutlines()), drawMain_(std::move(drawMain))
{
    setObjectName(QStringLiteral("frmTileMap"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Text(frmTileMap::Caption()));
    setFont(SansSerif825());
    area_ = new TileMapArea(*this);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setMargin(3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(area_, 1);
    layout->addWidget(status_);
    Draw();
    resize(kTileMapWidth, kTileMapHeight + status_->sizeHint().height());
}

void TileMapWindow::ShowOver(const QWidget* mainWindow)
{
    if (!isVisible()) {
        const auto onScreen = [](const QRect& rect) {
            return ScreenRect{rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
        };
        const ScreenPlace place = TileMapOpeningPlace(onScreen(mainWindow->frameGeometry()),
                                                      onScreen(mainWindow->screen()->availableGeometry()),
                                                      frameGeometry().width());
        move(place.left, place.top);
    }
    show();
    raise();
    activateWindow();
    area_->setFocus(Qt::ActiveWindowFocusReason);
}

// The main window's drawing draws this window too.
void TileMapWindow::Forward(const std::function<void()>& event)
{
    event();
    if (drawMain_)
        drawMain_();
    else
        Draw();
    if (form_.CloseRequested())
        close();
}

void TileMapWindow::Draw()
{
    area_->update();
    const QString status = Text(form_.StatusText());
    if (status_->text() != status)
        status_->setText(status);
    ShowToolTip();
}

void TileMapWindow::ShowToolTip()
{
    // The form has a text only while the pointer is over a tile; a tooltip
    // of the main window's controls is left alone.
    const QString tip = Text(form_.ToolTip());
    if (!tip.isEmpty())
        QToolTip::showText(QCursor::pos(), tip, area_);
    else if (!shownTip_.isEmpty())
        QToolTip::hideText();
    shownTip_ = tip;
}

// Outlines, then the tiles in the form's order, then the drag box.
void TileMapWindow::Paint(QWidget* area)
{
    QPainter painter(area);
    painter.fillRect(area->rect(), Colour(kTileMapSea));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Pen(kTileMapOutline, 1));
    QPolygonF line;
    for (const std::vector<PixelPoint>& outline : form_.Outlines()) {
        line.clear();
        for (const PixelPoint& point : outline)
            line << QPointF(point.x, point.y);
        painter.drawPolyline(line);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const TileShape& tile : form_.Tiles()) {
        painter.setBrush(tile.ticked ? QBrush(Colour(kTileTicked, kTileTickedAlpha)) : QBrush(Qt::NoBrush));
        painter.setPen(tile.hovered ? Pen(kTileHovered, 2) : Pen(kTileEdge, 1));
        painter.drawRect(Rect(tile.rect));
    }
    if (const std::optional<PixelRect> box = form_.SelectionBox()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(Pen(kSelectionBoxEdge, 1, Qt::DashLine));
        painter.drawRect(Rect(*box));
    }
}

} // namespace mapwren
