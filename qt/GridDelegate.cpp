#include "qt/GridDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include "qt/Palette.h"

namespace mapwren {

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    painter->fillRect(option.rect, MenuColour());
    if (index.column() != 0) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
    if (picture.isNull())
        return;
    QRect target(QPoint(0, 0), picture.deviceIndependentSize().toSize());
    target.moveCenter(option.rect.center());
    painter->drawPixmap(target, picture);
    // The current tick cell keeps its focus frame, so the keys' row shows.
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect frame;
        frame.QStyleOption::operator=(option);
        const QWidget* widget = option.widget;
        (widget ? widget->style() : QApplication::style())->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, painter, widget);
    }
}

} // namespace mapwren
