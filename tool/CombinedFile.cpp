#include "tool/CombinedFile.h"

#include <filesystem>
#include <system_error>

#include "common/Paths.h"
#include "common/Text.h"

namespace mapwren {

namespace fs = std::filesystem;

std::optional<FileStamp> CombinedFileStamp(const std::string& programFolder)
{
    // A Linux build of the tool may spell the name in lower case.
    std::error_code ec;
    for (fs::directory_iterator it(PathFromUtf8(programFolder), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code fileError;
        if (CompareNoCase(Utf8FromPath(it->path().filename()), "GMAPSUPP.IMG") != 0 || !it->is_regular_file(fileError))
            continue;
        const std::uintmax_t size = fs::file_size(it->path(), fileError);
        const auto written = fs::last_write_time(it->path(), fileError);
        if (!fileError)
            return FileStamp{size, written.time_since_epoch().count()};
    }
    return std::nullopt;
}

} // namespace mapwren
