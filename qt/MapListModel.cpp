#include "qt/MapListModel.h"

#include <QApplication>
#include <QPalette>
#include <algorithm>

namespace mapwren {

MapListModel::MapListModel(const MapList& list, std::array<QPixmap, 3> pictures, QObject* parent)
    : QAbstractTableModel(parent), list_(list), pictures_(std::move(pictures))
{
}

int MapListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : shownRows_;
}

int MapListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : MapList::kColumnCount;
}

QVariant MapListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const auto row = static_cast<std::size_t>(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(list_.CellText(row, index.column()));
    case Qt::DecorationRole:
        if (index.column() == 0)
            return Picture(list_.Row(row).state);
        return {};
    case Qt::ToolTipRole:
        if (list_.Row(row).notAMap)
            return QString::fromUtf8(kNotAMapToolTip);
        return {};
    case Qt::ForegroundRole:
        // A file that is not a map: its texts greyed, as disabled text is.
        if (list_.Row(row).notAMap && index.column() != 0)
            return QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        return {};
    case Qt::TextAlignmentRole:
        if (MapList::AlignsRight(index.column()))
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant MapListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= MapList::kColumnCount)
        return {};
    if (role == Qt::DisplayRole)
        return QString::fromStdString(list_.HeaderCaption(section));
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void MapListModel::Refresh(bool rowsChanged)
{
    const int rows = static_cast<int>(list_.RowCount());
    if (rowsChanged) {
        if (rows > shownRows_ && shownRows_ > 0) {
            // Rows loaded below the others: the view keeps its place.
            beginInsertRows({}, shownRows_, rows - 1);
            shownRows_ = rows;
            endInsertRows();
        } else {
            beginResetModel();
            shownRows_ = rows;
            endResetModel();
        }
    } else if (rows > 0) {
        emit dataChanged(index(0, 0), index(rows - 1, MapList::kColumnCount - 1));
    }
    emit headerDataChanged(Qt::Horizontal, 0, MapList::kColumnCount - 1);
}

} // namespace mapwren
