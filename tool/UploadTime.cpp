#include "tool/UploadTime.h"

#include "maplist/Captions.h"

namespace mapwren {

namespace {

// A serial link moves at most a tenth of its baud rate in bytes a second
// (eight data bits framed by a start and a stop bit), and a real upload
// reaches about three quarters of that (8.6 kB/s at 115200 baud).
constexpr double kBitsPerByte = 10;
constexpr double kReachedShare = 0.75;

double SerialUploadSeconds(std::uint64_t bytes, int baud)
{
    return static_cast<double>(bytes) / (baud / kBitsPerByte * kReachedShare);
}

} // namespace

std::string UploadEstimate(const UploadSettings& settings, std::int64_t tickedCount, std::int64_t tickedBytes)
{
    if (tickedCount <= 0 || !settings.createFileSwitch.empty())
        return {};
    switch (settings.port) {
    case Port::Com:
        return AboutHowLongText(SerialUploadSeconds(static_cast<std::uint64_t>(tickedBytes), settings.speed)) + " for " +
               (tickedCount == 1 ? "the ticked map" : "the " + std::to_string(tickedCount) + " ticked maps") + " (" +
               MegabytesText(tickedBytes) + ") at " + std::to_string(settings.speed) + " baud on " + settings.comPort +
               ".";
    case Port::Usb:
        return "No time is estimated for USB: its speed depends on the receiver.";
    case Port::Auto:
        return "No time is estimated with Auto: the tool may find the receiver on USB, whose speed depends on the receiver.";
    case Port::None:
        break;
    }
    return {};
}

} // namespace mapwren
