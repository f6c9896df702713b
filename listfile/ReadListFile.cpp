#include <filesystem>
#include <fstream>
#include <string_view>

#include "common/Encoding.h"
#include "common/Paths.h"
#include "common/Text.h"
#include "listfile/ListFile.h"

namespace mapwren {

namespace {

namespace fs = std::filesystem;

// Shown as it always was: "Invalid File" and seventeen blanks.
constexpr const char* kInvalidFile = "Invalid File                 ";

ListFileContent Failure(ListFileError error, std::string message)
{
    ListFileContent content;
    content.error = error;
    content.message = std::move(message);
    return content;
}

// The whole file, or an empty optional when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path)
{
    const fs::path file = PathFromUtf8(path);
    std::error_code ec;
    if (path.empty() || fs::is_directory(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes;
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (in.bad())
        return std::nullopt;
    return bytes;
}

// Splits at CR LF, a lone CR or a lone LF; nothing is trimmed. A final line
// ending adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

} // namespace

ListFileContent ReadListFile(const std::string& path)
{
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes)
        return Failure(ListFileError::CannotOpen, "The list file " + path + " could not be opened.");
    if (bytes->empty())
        return Failure(ListFileError::Empty, "The list file " + path + " is empty.");

    const std::string text = ListFileBytesToUtf8(*bytes);
    const std::vector<std::string_view> lines = SplitLines(text);
    const std::optional<ListHead> head = lines.empty() ? std::nullopt : ParseHeadLine(std::string(lines[0]));
    if (!head)
        return Failure(ListFileError::Invalid, kInvalidFile);

    ListFileContent content;
    content.head = *head;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (EndsWithNoCase(lines[i], ".img"))
            content.mapPaths.emplace_back(lines[i]);
    }
    return content;
}

} // namespace mapwren
