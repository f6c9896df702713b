#pragma once

#include <string>

namespace mapwren {

// The port option chosen in the window; None while no option is selected.
enum class Port { None, Auto, Com, Usb };

} // namespace mapwren
