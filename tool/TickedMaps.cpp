#include "tool/TickedMaps.h"

#include <unordered_map>
#include <unordered_set>

#include "common/Encoding.h"
#include "common/Paths.h"
#include "common/Text.h"
#include "maplist/Captions.h"

namespace mapwren {

namespace {

// An entry is empty when the file was already gone at its tick.
bool StillThere(const std::string& entry) { return !entry.empty() && FileExist(entry); }

} // namespace

// Each ticked row's file is asked after once; SelectedFiles holds the same
// entries as the ticked rows, so an entry is sent unless a row left out has it.
TickedMaps GroupTickedMaps(const MapList& maps, ToolRuntime runtime)
{
    TickedMaps ticked;
    ticked.runtime = runtime;
    std::unordered_set<std::string> leftOut;
    for (std::size_t row = 0; row < maps.RowCount(); ++row) {
        if (maps.Row(row).state != RowState::Ticked)
            continue;
        const std::string& entry = maps.TickEntry(row);
        if (!StillThere(entry)) {
            ticked.gone.push_back(maps.Row(row).FullPath());
            leftOut.insert(entry);
        } else if (maps.Row(row).notAMap) {
            ticked.notMaps.push_back(maps.Row(row).FullPath());
            leftOut.insert(entry);
        } else if (!ToolOpens(entry, runtime)) {
            ticked.unreadable.push_back(maps.Row(row).FullPath());
            leftOut.insert(entry);
        } else {
            ticked.presentRows.push_back(row);
            ticked.presentBytes += maps.Row(row).bytes;
        }
    }
    for (const std::string& entry : maps.SelectedFiles()) {
        if (!entry.empty() && !leftOut.contains(entry))
            ticked.present.push_back(entry);
    }
    return ticked;
}

namespace {

std::string SendOthersQuestion(std::size_t left, std::size_t leftOut)
{
    return "\nSend the other " + (left == 1 ? std::string("map") : std::to_string(left) + " maps") +
           (leftOut == 1 ? " without it?" : " without them?");
}

std::string GoneMaps(const std::vector<std::string>& gone, bool nothingLeft)
{
    const bool one = gone.size() == 1;
    const std::string since = one ? " has been deleted, moved or renamed since it was loaded"
                                  : " have been deleted, moved or renamed since they were loaded";
    if (nothingLeft)
        return (one ? "The ticked map" : "The ticked maps") + since + ", so there is nothing to send:" +
               ListedPaths(gone);
    return (one ? std::string("This ticked map") : "These " + std::to_string(gone.size()) + " ticked maps") + since +
           ":" + ListedPaths(gone);
}

std::string UnreadableMaps(const std::vector<std::string>& unreadable, ToolRuntime runtime)
{
    if (runtime == ToolRuntime::Wine)
        return std::string("The upload tool, a Windows program run through Wine, cannot open ") +
               (unreadable.size() == 1 ? "this ticked map, as its path holds"
                                       : "these " + std::to_string(unreadable.size()) + " ticked maps, as their paths hold") +
               " characters Windows does not allow in a file name (\\ \" < > | ? * or a line break) or Wine's code "
               "page lacks:" + ListedPaths(unreadable);
    if (unreadable.size() == 1)
        return "The upload tool cannot read the path of this ticked map, as it holds characters the system's code "
               "page lacks and the drive gives the map no short name:" + ListedPaths(unreadable);
    return "The upload tool cannot read the paths of these " + std::to_string(unreadable.size()) +
           " ticked maps, as they hold characters the system's code page lacks and the drive gives the maps no "
           "short names:" + ListedPaths(unreadable);
}

std::string NotMaps(const std::vector<std::string>& notMaps)
{
    if (notMaps.size() == 1)
        return "This ticked file is not a Garmin map (its header lacks the DSKIMG and GARMIN marks):" +
               ListedPaths(notMaps);
    return "These " + std::to_string(notMaps.size()) +
           " ticked files are not Garmin maps (their headers lack the DSKIMG and GARMIN marks):" + ListedPaths(notMaps);
}

} // namespace

std::optional<std::string> LeftOutMapsMessage(const TickedMaps& maps)
{
    const std::size_t left = maps.present.size(),
                      leftOut = maps.gone.size() + maps.notMaps.size() + maps.unreadable.size();
    if (leftOut == 0)
        return std::nullopt;
    if (maps.gone.size() == leftOut)
        return GoneMaps(maps.gone, left == 0) + (left == 0 ? "" : SendOthersQuestion(left, leftOut));
    std::string text = maps.gone.empty() ? "" : GoneMaps(maps.gone, false) + "\n";
    if (!maps.notMaps.empty())
        text += NotMaps(maps.notMaps) + (maps.unreadable.empty() ? "" : "\n");
    if (!maps.unreadable.empty())
        text += UnreadableMaps(maps.unreadable, maps.runtime);
    return text + (left == 0 ? "\nNo other map is ticked, so there is nothing to send." : SendOthersQuestion(left, leftOut));
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

std::optional<std::string> OversizeMessage(std::uint64_t bytes, std::string_view file)
{
    if (bytes < kFat32FileLimit)
        return std::nullopt;
    return "The ticked maps come to " + GigabytesText(bytes) + ", so " + std::string(file) + " will be larger than a FAT32 memory card can hold (no file of 4 GB or more).\n"
           "Create it all the same?";
}

} // namespace mapwren
