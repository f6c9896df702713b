#include "receivers/Room.h"

#include <cstdio>

namespace mapwren {

namespace {

std::string Grouped(std::uint64_t number)
{
    std::string digits = std::to_string(number);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

std::uint64_t RoundedUp(std::uint64_t bytes, std::uint64_t unit)
{
    return unit == 0 ? bytes : (bytes + unit - 1) / unit * unit;
}

} // namespace

std::string ShortBytesText(std::uint64_t bytes)
{
    const char* units[] = {"KB", "MB", "GB", "TB"};
    double amount = static_cast<double>(bytes);
    int unit = -1;
    while (amount >= 1000.0 && unit < 3) {
        amount /= 1000.0;
        ++unit;
    }
    if (unit < 0)
        return Grouped(bytes) + " bytes";
    char shortened[32];
    std::snprintf(shortened, sizeof shortened, "%.1f %s", amount, units[unit]);
    return shortened;
}

std::string BytesText(std::uint64_t bytes)
{
    return bytes < 1000 ? Grouped(bytes) + " bytes" : Grouped(bytes) + " bytes (" + ShortBytesText(bytes) + ")";
}

Status CheckRoom(const RoomFacts& facts)
{
    const Volume& volume = facts.volume;
    if (IsFatFileSystem(volume.fileSystem) && facts.fileBytes > kFatLargestFile)
        return Status::Failure("The map file would be " + BytesText(facts.fileBytes) + ", but " + volume.root +
                               " uses " + volume.fileSystem + ", which holds no file larger than " +
                               BytesText(kFatLargestFile) + ". Tick fewer maps.");
    if (!volume.freeBytes)
        return {};
    const std::uint64_t needed = RoundedUp(facts.fileBytes, volume.clusterBytes);
    const std::uint64_t free = *volume.freeBytes + RoundedUp(facts.leftoverBytes, volume.clusterBytes);
    if (needed <= free)
        return {};
    std::string message = "The map file needs " + BytesText(needed) + ", but " + volume.root + " has only " +
                          BytesText(free) + " free.";
    if (facts.replacedBytes > 0)
        message += " The file it replaces (" + BytesText(facts.replacedBytes) +
                   ") stays until the new one is whole, so both must fit at once.";
    return Status::Failure(message + " Nothing was written.");
}

std::optional<std::string> TileWarning(std::uint64_t tiles)
{
    if (tiles <= kOlderReceiverTiles)
        return std::nullopt;
    return "The map file holds " + std::to_string(tiles) + " tiles; older receivers show at most " +
           std::to_string(kOlderReceiverTiles) + " and leave out the rest.";
}

} // namespace mapwren
