#include "qt/GridDelegate.h"

#include <QPainter>
#include <QPixmap>

#include "qt/Palette.h"

namespace mapwren {

namespace {

// The current cell framed in dots one pixel inside it, as Windows frames the
// focus: a style's own focus frame may be a faint tint that the keys' row
// cannot be told by.
void FrameFocus(QPainter* painter, const QRect& cell, const QColor& colour)
{
    QPen dots(colour, 1);
    dots.setCosmetic(true);
    dots.setDashPattern({1, 1});
    painter->save();
    painter->setPen(dots);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(cell.adjusted(1, 1, -2, -2));
    painter->restore();
}

} // namespace

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->fillRect(option.rect, MenuColour());
    const bool focused = option.state & QStyle::State_HasFocus;
    if (index.column() != 0) {
        QStyleOptionViewItem text(option);
        text.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, text, index);
    } else if (const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>(); !picture.isNull()) {
        QRect target(QPoint(0, 0), picture.deviceIndependentSize().toSize());
        target.moveCenter(option.rect.center());
        painter->drawPixmap(target, picture);
    }
    if (focused)
        FrameFocus(painter, option.rect, option.palette.color(QPalette::Text));
}

} // namespace mapwren
