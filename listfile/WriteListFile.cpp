#include "common/Encoding.h"
#include "listfile/AtomicWrite.h"
#include "listfile/ListFile.h"

namespace mapwren {

namespace {

// Appends one line in the list file's code page, ended by CR LF. A line
// break inside the text would split it into two lines on reading, so such
// text is refused like text the code page cannot hold.
bool AppendLine(std::string& bytes, const std::string& text)
{
    std::string encoded;
    if (text.find_first_of("\r\n") != std::string::npos || !Utf8ToListFileBytes(text, encoded))
        return false;
    bytes += encoded;
    bytes += "\r\n";
    return true;
}

} // namespace

Status WriteListFile(const std::string& path, const ListSettings& settings,
                     const std::vector<std::string>& fullPaths)
{
    const std::string failed = "The list could not be saved to " + path + ": ";
    std::string bytes;
    if (!AppendLine(bytes, FormatHeadLine(settings)))
        return Status::Failure(failed + "the mapset name " + settings.mapsetName +
                               " cannot be written in a list file.");
    for (const std::string& fullPath : fullPaths) {
        if (!AppendLine(bytes, fullPath))
            return Status::Failure(failed + "the path " + fullPath + " cannot be written in a list file.");
    }
    if (const std::error_code ec = WriteFileAtomically(path, bytes))
        return Status::Failure(failed + ec.message() + ".");
    return {};
}

} // namespace mapwren
