#pragma once

#include <cstdint>
#include <string>

#include "tool/Commands.h"

namespace mapwren {

// What the Upload button's tooltip says before an upload of the ticked maps:
// about how long they take at the chosen speed and port, or why no time is
// given; empty with nothing ticked, no port chosen, or in create-file mode,
// where nothing is sent.
std::string UploadEstimate(const UploadSettings& settings, std::int64_t tickedCount, std::int64_t tickedBytes);

} // namespace mapwren
