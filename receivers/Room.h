#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "common/Result.h"
#include "receivers/Volumes.h"

namespace mapwren {

// Older receivers show at most this many tiles.
inline constexpr std::uint64_t kOlderReceiverTiles = 2025;
// The largest file FAT holds.
inline constexpr std::uint64_t kFatLargestFile = 0xFFFFFFFFull;

// What the check before writing weighs.
struct RoomFacts {
    std::uint64_t fileBytes = 0;       // the combined file's exact size
    std::uint64_t tiles = 0;
    std::uint64_t replacedBytes = 0;   // the file of that name there now; 0 when none
    std::uint64_t leftoverBytes = 0;   // temporary files of an earlier failure, removed first
    Volume volume;
};

// Refuses, naming the numbers, a file FAT cannot hold or one the volume has
// no room for. The old file stays until the new one is whole, so the room
// needed is the new file's, rounded up to whole clusters; the space of
// leftover temporary files counts as free.
Status CheckRoom(const RoomFacts& facts);

// The warning for more tiles than older receivers show; nothing when fewer.
std::optional<std::string> TileWarning(std::uint64_t tiles);

// A byte count as a list shows it: "1.2 MB", or "512 bytes" below a kilobyte.
std::string ShortBytesText(std::uint64_t bytes);

// A byte count as the messages give it: "1,234,567 bytes (1.2 MB)".
std::string BytesText(std::uint64_t bytes);

} // namespace mapwren
