#pragma once

#include <QAbstractTableModel>
#include <QPixmap>
#include <array>
#include <cstdint>

#include "maplist/MapList.h"

namespace mapwren {

// The grid's view of the form's map list. It holds no copy of the rows; after
// each event the window tells it whether rows came, went or moved.
class MapListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // pictures: the unticked, ticked and missing-file pictures, shared with
    // the picture boxes that hold them, so a cell's state is told by identity.
    MapListModel(const MapList& list, std::array<QPixmap, 3> pictures, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const QPixmap& Picture(RowState state) const { return pictures_[static_cast<std::size_t>(state)]; }

    // Rows added at the end are inserted, any other change of rows resets
    // the view; otherwise only the cells and headers are read again.
    void Refresh(bool rowsChanged);

private:
    const MapList& list_;
    std::array<QPixmap, 3> pictures_;
    int shownRows_ = 0;
};

} // namespace mapwren
