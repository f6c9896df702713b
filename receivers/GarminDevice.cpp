#include "receivers/GarminDevice.h"

#include <fstream>
#include <sstream>

#include "common/Paths.h"
#include "receivers/DeviceXmlFields.h"
#include "receivers/Places.h"

namespace mapwren {

namespace {

// A receiver's file is a few kilobytes; anything much larger is no such file.
constexpr std::streamsize kLargestDeviceFile = 1 << 20;

std::string Trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

} // namespace

void DeviceXmlFields::Start(std::string_view localName)
{
    if (path_.empty() && root_.empty())
        root_ = localName;
    path_.emplace_back(localName);
}

void DeviceXmlFields::End()
{
    if (!path_.empty())
        path_.pop_back();
}

std::string* DeviceXmlFields::Field()
{
    if (path_.size() == 2 && path_[1] == "Id")
        return &device_.unitId;
    if (path_.size() != 3 || path_[1] != "Model")
        return nullptr;
    if (path_[2] == "Description")
        return &device_.description;
    if (path_[2] == "PartNumber")
        return &device_.partNumber;
    if (path_[2] == "SoftwareVersion")
        return &device_.softwareVersion;
    return nullptr;
}

void DeviceXmlFields::Text(std::string_view text)
{
    if (std::string* field = Field())
        field->append(text);
}

Result<GarminDevice> DeviceXmlFields::Finish() const
{
    if (root_ != "Device")
        return Result<GarminDevice>::Failure("The file describes no Garmin device.");
    GarminDevice device{Trimmed(device_.description), Trimmed(device_.partNumber),
                        Trimmed(device_.softwareVersion), Trimmed(device_.unitId)};
    if (device.description.empty())
        return Result<GarminDevice>::Failure("The file names no model.");
    return device;
}

std::optional<GarminDevice> ReadGarminDevice(const std::string& root)
{
    const auto garmin = FindNameNoCase(root, "Garmin", true);
    if (!garmin)
        return std::nullopt;
    const auto file = FindNameNoCase(*garmin, "GarminDevice.xml", false);
    if (!file)
        return std::nullopt;
    std::ifstream in(PathFromUtf8(*file), std::ios::binary);
    std::string text(kLargestDeviceFile + 1, '\0');
    in.read(text.data(), kLargestDeviceFile + 1);
    if (in.bad() || in.gcount() > kLargestDeviceFile)
        return std::nullopt;
    text.resize(static_cast<std::size_t>(in.gcount()));
    auto device = ParseGarminDevice(text);
    if (!device)
        return std::nullopt;
    return device.value();
}

} // namespace mapwren
