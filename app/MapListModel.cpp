#include "app/MapListModel.h"

namespace mapwren {

MapListModel::MapListModel(MapList& list, std::array<QPixmap, 3> pictures, QObject* parent)
    : QAbstractTableModel(parent), list_(list), pictures_(std::move(pictures))
{
}

int MapListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(list_.RowCount());
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
    case Qt::TextAlignmentRole:
        // Sizes right-aligned as numbers are; every other text to the left.
        if (index.column() == 4)
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

void MapListModel::AppendRows(std::vector<MapRow> rows)
{
    if (rows.empty())
        return;
    const int first = rowCount();
    beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
    list_.AppendRows(std::move(rows));
    endInsertRows();
}

void MapListModel::Clear()
{
    beginResetModel();
    list_.Clear();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, MapList::kColumnCount - 1);
}

bool MapListModel::Toggle(std::size_t row)
{
    const bool toggled = list_.Toggle(row);
    if (toggled) {
        const QModelIndex cell = index(static_cast<int>(row), 0);
        emit dataChanged(cell, cell);
    }
    return toggled;
}

void MapListModel::SelectAll()
{
    list_.SelectAll();
    TickColumnChanged();
}

void MapListModel::SelectNone()
{
    list_.SelectNone();
    TickColumnChanged();
}

void MapListModel::SortByColumn(int col)
{
    beginResetModel();
    list_.SortByColumn(col);
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, MapList::kColumnCount - 1);
}

void MapListModel::TickColumnChanged()
{
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

} // namespace mapwren
