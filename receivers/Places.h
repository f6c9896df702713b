#pragma once

#include <optional>
#include <string>
#include <vector>

#include "receivers/GarminDevice.h"
#include "receivers/Volumes.h"

namespace mapwren {

// A place the ticked maps can go: a receiver's memory, a memory card or
// removable drive, or a folder the user chose.
struct Place {
    Volume volume;
    std::optional<GarminDevice> device;   // a receiver's memory
    std::string garminFolder;             // where map files go: the Garmin folder, found in any case
};

// The receivers (a volume holding Garmin/GarminDevice.xml) and the removable
// volumes, in the system's order.
std::vector<Place> FindPlaces(VolumeSource& volumes);

// The chosen folder itself (or its Garmin folder when it has one, or it is
// one), on the volume it lies on; a failure naming it when it cannot be
// reached.
Result<Place> PlaceOfFolder(VolumeSource& volumes, const std::string& folder);

// The line a list shows for the place: "eTrex 30 (E:\)", or the volume's
// root with its label or device.
std::string PlaceCaption(const Place& place);

// A child folder (or file) of folder named `name` in any case, as the folder
// spells it; none when there is none.
std::optional<std::string> FindNameNoCase(const std::string& folder, const std::string& name, bool wantFolder);

// folder and name joined by the system's separator.
std::string JoinPath(const std::string& folder, const std::string& name);

} // namespace mapwren
