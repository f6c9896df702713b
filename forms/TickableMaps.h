#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "maplist/MapList.h"

namespace mapwren {

// The main window's map rows as another form sees them: it reads them and
// ticks a row exactly as a press on the row's tick cell does, so both
// windows always show the same ticks.
class TickableMaps {
public:
    virtual const MapList& Maps() const = 0;
    // Grows whenever rows are added, removed or reordered; ticks alone leave it.
    virtual std::uint64_t RowsRevision() const = 0;
    // Ticks or unticks a map row (0-based, as Maps().Row), making it the current row.
    virtual void PressTickCell(std::size_t row) = 0;
    // rowsChanged runs whenever rows are added, removed or reordered, inside
    // the event that changed them (a load's busy pointer still showing); an
    // empty function ends the watch. One watcher at a time.
    virtual void WatchRows(std::function<void()> rowsChanged) = 0;

protected:
    ~TickableMaps() = default;
};

} // namespace mapwren
