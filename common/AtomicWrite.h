#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace mapwren {

// Writes bytes to a new temporary file beside path, flushes it to the disk and
// only then renames it over path. On failure the temporary file is removed and
// whatever stood at path is left as it was. A symbolic link at path is kept:
// the file it points to is the one replaced.
std::error_code WriteFileAtomically(const std::string& path, std::string_view bytes);

} // namespace mapwren
