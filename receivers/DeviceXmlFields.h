#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "receivers/GarminDevice.h"

namespace mapwren {

// Gathers a GarminDevice.xml's fields from a reader's elements and text,
// whatever the reader: names arrive without their namespace.
class DeviceXmlFields {
public:
    void Start(std::string_view localName);
    void End();
    void Text(std::string_view text);
    // The device, or a failure when the root is no Device or the model has
    // no description.
    Result<GarminDevice> Finish() const;

private:
    std::string* Field();
    std::vector<std::string> path_;
    std::string root_;
    GarminDevice device_;
};

} // namespace mapwren
