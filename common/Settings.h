#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

namespace mapwren {

// The port option chosen in the window; None while no option is selected.
enum class Port { None, Auto, Com, Usb };

// The serial ports the window offers, in the COM box's order.
inline constexpr std::array<std::string_view, 9> kComPorts = {"COM1", "COM2", "COM3", "COM4", "COM5",
                                                              "COM6", "COM7", "COM8", "COM9"};

// 1 to 9 for "COM1" to "COM9", 0 for any other text.
constexpr int ComPortNumber(std::string_view comPort)
{
    const auto at = std::ranges::find(kComPorts, comPort);
    return at == kComPorts.end() ? 0 : static_cast<int>(at - kComPorts.begin()) + 1;
}

} // namespace mapwren
