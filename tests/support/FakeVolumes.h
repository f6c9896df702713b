#pragma once

#include <string>
#include <vector>

#include "receivers/Volumes.h"

namespace mapwren::testing {

// Volumes a test lays out in temporary folders, with the free space and file
// system it chooses; any folder lies on the volume whose root starts it.
class FakeVolumes : public VolumeSource {
public:
    std::vector<Volume> volumes;
    std::vector<Volume> MountedVolumes() override { return volumes; }
    std::optional<Volume> VolumeOf(const std::string& folder) override
    {
        for (const Volume& volume : volumes)
            if (folder.starts_with(volume.root))
                return volume;
        return std::nullopt;
    }
};

} // namespace mapwren::testing
