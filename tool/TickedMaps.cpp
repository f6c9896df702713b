#include "tool/TickedMaps.h"

#include "common/Paths.h"
#include "common/Text.h"

namespace mapwren {

namespace {

// An entry is empty when the file was already gone at its tick.
bool StillThere(const std::string& entry) { return !entry.empty() && FileExist(entry); }

} // namespace

TickedMaps SortTickedMaps(const MapList& maps)
{
    TickedMaps ticked;
    for (const std::string& entry : maps.SelectedFiles()) {
        if (StillThere(entry))
            ticked.present.push_back(entry);
    }
    if (ticked.present.size() == maps.SelectedFiles().size())
        return ticked;
    for (std::size_t row = 0; row < maps.RowCount(); ++row) {
        if (maps.Row(row).state == RowState::Ticked && !StillThere(maps.TickEntry(row)))
            ticked.gone.push_back(maps.Row(row).FullPath());
    }
    return ticked;
}

std::optional<std::string> GoneMapsMessage(const TickedMaps& maps)
{
    const std::size_t gone = maps.gone.size(), left = maps.present.size();
    if (gone == 0)
        return std::nullopt;
    const bool one = gone == 1;
    const std::string since = one ? " has been deleted, moved or renamed since it was loaded"
                                  : " have been deleted, moved or renamed since they were loaded";
    if (left == 0)
        return (one ? "The ticked map" : "The ticked maps") + since + ", so there is nothing to send:" +
               ListedPaths(maps.gone);
    return (one ? std::string("This ticked map") : "These " + std::to_string(gone) + " ticked maps") + since + ":" +
           ListedPaths(maps.gone) + "\nSend the other " + (left == 1 ? "map" : std::to_string(left) + " maps") +
           (one ? " without it?" : " without them?");
}

} // namespace mapwren
