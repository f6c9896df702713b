#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace mapwren {

// A mounted volume as the system tells it: a drive letter's root on Windows,
// a mount point elsewhere.
struct Volume {
    std::string root;         // "E:\" or "/media/anna/GARMIN", no trailing separator but a drive's
    std::string device;       // "/dev/sdb1", or the volume's label on Windows; empty when unknown
    std::string fileSystem;   // "vfat", "FAT32", "ext4", ...
    bool removable = false;   // a memory card, a USB drive or a receiver, as the system marks it
    std::optional<std::uint64_t> freeBytes;   // room for this user; none when the system will not tell
    std::uint64_t clusterBytes = 0;           // the unit a file's size is rounded up to; 0 when unknown
};

// Where the volumes come from: the system's mount table or drive letters, or a
// test's own list.
class VolumeSource {
public:
    virtual ~VolumeSource() = default;
    // The volumes worth looking at, in the system's order: no pseudo or network
    // file systems, whose looks could be slow or hang.
    virtual std::vector<Volume> MountedVolumes() = 0;
    // The volume a folder lies on, with its free space; none when the folder
    // cannot be reached.
    virtual std::optional<Volume> VolumeOf(const std::string& folder) = 0;
};

std::unique_ptr<VolumeSource> SystemVolumes();

// True for the FAT file systems, whose files stay below 4 GiB (exFAT is not one).
bool IsFatFileSystem(const std::string& fileSystem);

#ifndef _WIN32
// The volumes of a /proc/self/mountinfo text, without free space: the mount
// point's escapes undone, pseudo and network file systems left out.
std::vector<Volume> VolumesFromMountInfo(const std::string& mountInfo);
#endif

} // namespace mapwren
