#include "common/Encoding.h"
#include "common/Text.h"
#include "common/AtomicWrite.h"
#include "listfile/ListFile.h"

namespace mapwren {

namespace {

// A line in the list file's code page. A line break inside the text would
// split it into two lines on reading, so such text is refused like text the
// code page cannot hold.
bool Encode(const std::string& text, std::string& encoded)
{
    return text.find_first_of("\r\n") == std::string::npos && Utf8ToListFileBytes(text, encoded);
}

// Appends one line, ended by CR LF.
bool AppendLine(std::string& bytes, const std::string& text)
{
    std::string encoded;
    if (!Encode(text, encoded))
        return false;
    bytes += encoded;
    bytes += "\r\n";
    return true;
}

} // namespace

MapLines ListMapLines(const std::vector<ListedMap>& maps)
{
    MapLines result;
    std::string encoded;
    for (const ListedMap& map : maps) {
        if (Encode(map.fullPath, encoded))
            result.lines.push_back(map.fullPath);
        else if (!map.shortPath.empty() && Encode(map.shortPath, encoded))
            result.lines.push_back(map.shortPath);
        else
            result.unwritable.push_back(map.fullPath);
    }
    return result;
}

std::string UnwritableMapsQuestion(const std::vector<std::string>& unwritable)
{
    const bool one = unwritable.size() == 1;
    return (one ? std::string("The path of this ticked map cannot be written in a list file: it holds")
                : "The paths of these " + std::to_string(unwritable.size()) +
                      " ticked maps cannot be written in a list file: they hold") +
           " a line break or characters the list file's code page lacks, and " +
           (one ? "the map has no short path" : "the maps have no short paths") + " without them:" +
           ListedPaths(unwritable) + "\nSave the list without " + (one ? "it?" : "them?");
}

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
