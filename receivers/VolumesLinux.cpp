#include "receivers/Volumes.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

namespace mapwren {

namespace {

// File systems that hold no user's files, and network ones, whose looks can
// hang while the server is away: never looked into.
constexpr std::array<std::string_view, 34> kSkipped = {
    "proc", "sysfs", "devtmpfs", "devpts", "tmpfs", "cgroup", "cgroup2", "securityfs", "pstore",
    "debugfs", "tracefs", "mqueue", "hugetlbfs", "configfs", "fusectl", "binfmt_misc", "autofs",
    "bpf", "nsfs", "ramfs", "rpc_pipefs", "efivarfs", "overlay", "squashfs", "nfs", "nfs4", "cifs",
    "smb3", "smbfs", "9p", "ceph", "fuse.sshfs", "fuse.gvfsd-fuse", "fuse.portal"};

// The mount table writes blanks, tabs, line ends and backslashes as \ooo.
std::string Unescaped(std::string_view field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        const auto octal = [&](std::size_t at) { return at < field.size() && field[at] >= '0' && field[at] <= '7'; };
        if (field[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            text += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            text += field[i];
        }
    }
    return text;
}

struct Mount {
    std::string point;
    std::string fileSystem;
    std::string source;
};

std::vector<Mount> Mounts(const std::string& mountInfo)
{
    std::vector<Mount> mounts;
    std::istringstream lines(mountInfo);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> words;
        for (std::string word; fields >> word;)
            words.push_back(word);
        const auto dash = std::find(words.begin(), words.end(), "-");
        if (words.size() < 5 || dash == words.end() || words.end() - dash < 3)
            continue;
        mounts.push_back({Unescaped(words[4]), dash[1], Unescaped(dash[2])});
    }
    return mounts;
}

bool Skipped(const Mount& mount)
{
    if (std::ranges::find(kSkipped, mount.fileSystem) != kSkipped.end())
        return true;
    for (std::string_view system : {"/proc", "/sys", "/dev", "/run/user"})
        if (mount.point == system || mount.point.starts_with(std::string(system) + "/"))
            return true;
    return false;
}

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The kernel's removable flag of the disk a device node belongs to; for a
// partition, its disk's flag.
bool MarkedRemovable(const std::string& device)
{
    if (!device.starts_with("/dev/"))
        return false;
    std::error_code error;
    const auto node = std::filesystem::canonical(device, error);
    if (error)
        return false;
    auto block = std::filesystem::canonical("/sys/class/block" / node.filename(), error);
    if (error)
        return false;
    if (!std::filesystem::exists(block / "removable"))
        block = block.parent_path();
    return ReadAll((block / "removable").string()).starts_with("1");
}

// udisks mounts what the user plugs in below these folders.
bool PluggedInPlace(const std::string& point)
{
    return point.starts_with("/media/") || point.starts_with("/run/media/");
}

Volume VolumeFromMount(const Mount& mount)
{
    return {mount.point, mount.source, mount.fileSystem,
            MarkedRemovable(mount.source) || PluggedInPlace(mount.point), std::nullopt, 0};
}

void AddSpace(Volume& volume, const std::string& folder)
{
    struct statvfs space {};
    // A FUSE volume such as fusefat may tell no sizes at all: its room is then unknown, not none.
    if (statvfs(folder.c_str(), &space) != 0 || space.f_blocks == 0)
        return;
    const std::uint64_t unit = space.f_frsize ? space.f_frsize : space.f_bsize;
    volume.freeBytes = static_cast<std::uint64_t>(space.f_bavail) * unit;
    volume.clusterBytes = space.f_bsize;
}

class LinuxVolumes : public VolumeSource {
public:
    std::vector<Volume> MountedVolumes() override
    {
        std::vector<Volume> volumes = VolumesFromMountInfo(ReadAll("/proc/self/mountinfo"));
        for (Volume& volume : volumes)
            AddSpace(volume, volume.root);
        return volumes;
    }

    std::optional<Volume> VolumeOf(const std::string& folder) override
    {
        std::error_code error;
        const std::string path = std::filesystem::canonical(folder, error).string();
        if (error)
            return std::nullopt;
        // The last mount on the longest mount point holding the folder.
        std::optional<Mount> best;
        for (const Mount& mount : Mounts(ReadAll("/proc/self/mountinfo"))) {
            const bool holds = mount.point == "/" || path == mount.point || path.starts_with(mount.point + "/");
            if (holds && (!best || mount.point.size() >= best->point.size()))
                best = mount;
        }
        Volume volume = best ? VolumeFromMount(*best) : Volume{path, {}, {}, false, std::nullopt, 0};
        volume.root = best ? best->point : path;
        AddSpace(volume, path);
        return volume;
    }
};

} // namespace

std::vector<Volume> VolumesFromMountInfo(const std::string& mountInfo)
{
    std::vector<Volume> volumes;
    for (const Mount& mount : Mounts(mountInfo)) {
        if (Skipped(mount))
            continue;
        // A later mount on the same point hides the earlier one.
        std::erase_if(volumes, [&](const Volume& volume) { return volume.root == mount.point; });
        volumes.push_back(VolumeFromMount(mount));
    }
    return volumes;
}

std::unique_ptr<VolumeSource> SystemVolumes()
{
    return std::make_unique<LinuxVolumes>();
}

} // namespace mapwren
