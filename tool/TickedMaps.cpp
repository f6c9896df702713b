#include "tool/TickedMaps.h"

#include <unordered_map>
#include <unordered_set>

#include "common/Paths.h"
#include "common/Text.h"
#include "maplist/Captions.h"

namespace mapwren {

namespace {

// An entry is empty when the file was already gone at its tick.
bool StillThere(const std::string& entry) { return !entry.empty() && FileExist(entry); }

} // namespace

// Each ticked row's file is asked after once; SelectedFiles holds the same
// entries as the ticked rows, so an entry is present unless a gone row has it.
TickedMaps SortTickedMaps(const MapList& maps)
{
    TickedMaps ticked;
    std::unordered_set<std::string> goneEntries;
    for (std::size_t row = 0; row < maps.RowCount(); ++row) {
        if (maps.Row(row).state != RowState::Ticked)
            continue;
        if (StillThere(maps.TickEntry(row))) {
            ticked.presentRows.push_back(row);
            ticked.presentBytes += maps.Row(row).bytes;
        } else {
            ticked.gone.push_back(maps.Row(row).FullPath());
            goneEntries.insert(maps.TickEntry(row));
        }
    }
    for (const std::string& entry : maps.SelectedFiles()) {
        if (!entry.empty() && !goneEntries.contains(entry))
            ticked.present.push_back(entry);
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

// A receiver's card is FAT, where case does not tell names apart, so names
// are compared without regard to case on every platform.
std::optional<std::string> ClashingNamesMessage(const MapList& maps, const TickedMaps& ticked)
{
    std::unordered_map<std::string, int> count;
    for (const std::size_t row : ticked.presentRows)
        ++count[ToLowerAscii(maps.Row(row).file)];
    std::vector<std::string> clashing;
    for (const std::size_t row : ticked.presentRows) {
        if (count[ToLowerAscii(maps.Row(row).file)] > 1)
            clashing.push_back(maps.Row(row).FullPath());
    }
    if (clashing.empty())
        return std::nullopt;
    return "These ticked maps share a file name, and a receiver keeps only one map of each name:" +
           ListedPaths(clashing) + "\nGo on all the same?";
}

std::optional<std::string> OversizeMessage(std::uint64_t bytes)
{
    if (bytes < kFat32FileLimit)
        return std::nullopt;
    return "The ticked maps come to " + GigabytesText(bytes) +
           ", so GMAPSUPP.IMG will be larger than a FAT32 memory card can hold (no file of 4 GB or more).\n"
           "Create it all the same?";
}

} // namespace mapwren
