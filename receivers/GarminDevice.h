#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "common/Result.h"

namespace mapwren {

// What a receiver's GarminDevice.xml says of it.
struct GarminDevice {
    std::string description;       // Model/Description: "eTrex 30"
    std::string partNumber;        // Model/PartNumber
    std::string softwareVersion;   // Model/SoftwareVersion
    std::string unitId;            // Id
};

// Parses the file's text with the system's XML reader (expat on Linux,
// XmlLite on Windows). A text that is no well-formed Device with a model
// description is a failure.
Result<GarminDevice> ParseGarminDevice(std::string_view xml);

// Garmin/GarminDevice.xml under the volume's root, the names in any case;
// none when it is missing, unreadable or malformed: the volume is then a
// plain drive.
std::optional<GarminDevice> ReadGarminDevice(const std::string& root);

} // namespace mapwren
