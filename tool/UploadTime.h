#pragma once

#include <cstdint>
#include <string>

#include "tool/Commands.h"

namespace mapwren {

// About how long the upload tool takes to send the ticked maps over a serial
// port: a link moves at most a tenth of its baud rate in bytes a second
// (eight data bits framed by a start and a stop bit), and a real upload
// reaches about three quarters of that (8.6 kB/s at 115200 baud).
double SerialUploadSeconds(std::uint64_t bytes, int baud);

// "Less than a minute", "About 20 minutes", "About 4 hours 10 minutes":
// minutes rounded to the nearest under an hour, to the nearest ten above.
std::string AboutHowLong(double seconds);

// What the Upload button's tooltip says before an upload of the ticked maps:
// the time at the chosen speed and port, or why none is given; empty with
// nothing ticked, no port chosen, or in create-file mode, where nothing is sent.
std::string UploadEstimate(const UploadSettings& settings, std::int64_t tickedCount, std::int64_t tickedBytes);

} // namespace mapwren
