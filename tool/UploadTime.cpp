#include "tool/UploadTime.h"

#include <cmath>

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

std::string Counted(long long count, const char* unit)
{
    return std::to_string(count) + " " + unit + (count == 1 ? "" : "s");
}

// "Less than a minute", "About 20 minutes", "About 4 hours 10 minutes":
// minutes rounded to the nearest under an hour, to the nearest ten above.
std::string AboutHowLong(double seconds)
{
    const double minutes = seconds / 60;
    if (minutes < 0.5)
        return "Less than a minute";
    if (minutes < 59.5)
        return "About " + Counted(std::llround(minutes), "minute");
    const long long tens = std::llround(minutes / 10);
    return "About " + Counted(tens / 6, "hour") + (tens % 6 == 0 ? "" : " " + Counted(tens % 6 * 10, "minute"));
}

} // namespace

std::string UploadEstimate(const UploadSettings& settings, std::int64_t tickedCount, std::int64_t tickedBytes)
{
    if (tickedCount <= 0 || !settings.createFileSwitch.empty())
        return {};
    switch (settings.port) {
    case Port::Com:
        return AboutHowLong(SerialUploadSeconds(static_cast<std::uint64_t>(tickedBytes), settings.speed)) + " for " +
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
