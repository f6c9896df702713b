#include "receivers/Volumes.h"

#include <windows.h>

#include "common/Encoding.h"

namespace mapwren {

namespace {

// No "insert a disk" box from the system for an empty card reader.
class QuietErrors {
public:
    QuietErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~QuietErrors() { SetErrorMode(previous_); }

private:
    UINT previous_;
};

// The volume behind a root such as "E:\"; none when it holds no medium.
std::optional<Volume> VolumeAt(const std::wstring& root)
{
    WCHAR label[MAX_PATH + 1] = {};
    WCHAR system[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr, system, MAX_PATH + 1))
        return std::nullopt;
    Volume volume{Utf8FromWide(root), Utf8FromWide(label), Utf8FromWide(system),
                  GetDriveTypeW(root.c_str()) == DRIVE_REMOVABLE, std::nullopt, 0};
    ULARGE_INTEGER available{};
    if (GetDiskFreeSpaceExW(root.c_str(), &available, nullptr, nullptr))
        volume.freeBytes = available.QuadPart;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
    if (GetDiskFreeSpaceW(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
        volume.clusterBytes = static_cast<std::uint64_t>(sectorsPerCluster) * bytesPerSector;
    return volume;
}

class WindowsVolumes : public VolumeSource {
public:
    std::vector<Volume> MountedVolumes() override
    {
        QuietErrors quiet;
        std::vector<Volume> volumes;
        const DWORD letters = GetLogicalDrives();
        for (int letter = 0; letter < 26; ++letter) {
            if (!(letters & (1u << letter)))
                continue;
            const std::wstring root = {static_cast<wchar_t>(L'A' + letter), L':', L'\\'};
            const UINT type = GetDriveTypeW(root.c_str());
            // Network drives can hang while their server is away; discs take no maps.
            if (type != DRIVE_REMOVABLE && type != DRIVE_FIXED)
                continue;
            if (auto volume = VolumeAt(root))
                volumes.push_back(std::move(*volume));
        }
        return volumes;
    }

    std::optional<Volume> VolumeOf(const std::string& folder) override
    {
        QuietErrors quiet;
        WCHAR root[MAX_PATH + 1] = {};
        if (!GetVolumePathNameW(WideFromUtf8(folder).c_str(), root, MAX_PATH + 1))
            return std::nullopt;
        return VolumeAt(root);
    }
};

} // namespace

std::unique_ptr<VolumeSource> SystemVolumes()
{
    return std::make_unique<WindowsVolumes>();
}

} // namespace mapwren
