#pragma once

#include <QStyledItemDelegate>

namespace mapwren {

// Paints the grid's cells on the menu colour, and the tick column as its
// picture alone, centred in the cell.
class GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace mapwren
