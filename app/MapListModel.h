#pragma once

#include <QAbstractTableModel>
#include <QPixmap>
#include <array>
#include <vector>

#include "maplist/MapList.h"

namespace mapwren {

// The grid's view of the core's map list. It holds no copy of the rows: every
// change goes through the methods below, which tell the view what moved.
class MapListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // pictures: the unticked, ticked and missing-file pictures, shared with
    // the picture boxes that hold them, so a cell's state is told by identity.
    MapListModel(MapList& list, std::array<QPixmap, 3> pictures, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const QPixmap& Picture(RowState state) const { return pictures_[static_cast<std::size_t>(state)]; }

    void AppendRows(std::vector<MapRow> rows);
    void Clear();
    bool Toggle(std::size_t row);
    void SelectAll();
    void SelectNone();
    void SortByColumn(int col);

private:
    void TickColumnChanged();

    MapList& list_;
    std::array<QPixmap, 3> pictures_;
};

} // namespace mapwren
