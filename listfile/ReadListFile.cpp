#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "common/Encoding.h"
#include "common/Paths.h"
#include "common/Text.h"
#include "listfile/ListFile.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace mapwren {

namespace {

// Shown as it always was: "Invalid File" and seventeen blanks.
constexpr const char* kInvalidFile = "Invalid File                 ";

// Far more than any real list needs: 64 MB hold some 600,000 map paths of
// 100 characters. A larger file is refused before it is read.
constexpr std::uint64_t kLargestList = 64u << 20;

ListFileContent Failure(ListFileError error, std::string message)
{
    ListFileContent content;
    content.error = error;
    content.message = std::move(message);
    return content;
}

// The message naming a list file that is not read.
std::string Refusal(ListFileError error, const std::string& path)
{
    switch (error) {
    case ListFileError::NotAFile:
        return "The list file " + path +
               " is not an ordinary file (it is a device or a pipe), so it cannot be read as a list.";
    case ListFileError::TooLarge:
        return "The list file " + path + " is larger than 64 MB, far more than any list of maps needs, so it is not read.";
    case ListFileError::Empty:
        return "The list file " + path + " is empty.";
    default:
        return "The list file " + path + " could not be opened.";
    }
}

bool Malformed(const std::string& path) { return path.empty() || path.find('\0') != std::string::npos; }

#ifdef _WIN32

// A device (NUL, CON) or a pipe is refused before a byte is read from it.
ListFileError ReadWholeFile(const std::string& path, std::string& bytes)
{
    if (Malformed(path))
        return ListFileError::CannotOpen;
    const HANDLE file = CreateFileW(PathFromUtf8(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ListFileError::CannotOpen;
    LARGE_INTEGER size{};
    ListFileError error = ListFileError::None;
    if (GetFileType(file) != FILE_TYPE_DISK)
        error = ListFileError::NotAFile;
    else if (!GetFileSizeEx(file, &size))
        error = ListFileError::CannotOpen;
    else if (static_cast<std::uint64_t>(size.QuadPart) > kLargestList)
        error = ListFileError::TooLarge;
    // One byte more than the largest list tells a file that grew meanwhile.
    char buffer[1 << 16];
    DWORD got = 0;
    while (error == ListFileError::None && bytes.size() <= kLargestList) {
        if (!ReadFile(file, buffer, sizeof buffer, &got, nullptr))
            error = ListFileError::CannotOpen;
        else if (got == 0)
            break;
        else
            bytes.append(buffer, got);
    }
    CloseHandle(file);
    return error == ListFileError::None && bytes.size() > kLargestList ? ListFileError::TooLarge : error;
}

#else

// A pipe is opened without waiting for a writer and refused, as is a device,
// before a byte is read from it.
ListFileError ReadWholeFile(const std::string& path, std::string& bytes)
{
    struct stat st {};
    if (Malformed(path) || ::stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return ListFileError::CannotOpen;
    if (!S_ISREG(st.st_mode))
        return ListFileError::NotAFile;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return ListFileError::CannotOpen;
    // Asked again of the file opened: the name may point elsewhere by now.
    ListFileError error = ListFileError::None;
    if (::fstat(fd, &st) != 0)
        error = ListFileError::CannotOpen;
    else if (!S_ISREG(st.st_mode))
        error = ListFileError::NotAFile;
    else if (static_cast<std::uint64_t>(st.st_size) > kLargestList)
        error = ListFileError::TooLarge;
    else
        bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buffer[1 << 16];
    while (error == ListFileError::None && bytes.size() <= kLargestList) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0)
            bytes.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0)
            break;
        else if (errno != EINTR)
            error = ListFileError::CannotOpen;
    }
    ::close(fd);
    return error == ListFileError::None && bytes.size() > kLargestList ? ListFileError::TooLarge : error;
}

#endif

// Calls take(line) for each line, ended at CR LF, a lone CR or a lone LF;
// nothing is trimmed, and a final line ending adds no empty line.
template <class Take>
void ForEachLine(std::string_view text, Take take)
{
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        take(text.substr(start, end - start));
        const bool crLf = end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
}

} // namespace

ListFileContent ReadListFile(const std::string& path)
{
    std::string bytes;
    ListFileError error = ReadWholeFile(path, bytes);
    if (error == ListFileError::None && bytes.empty())
        error = ListFileError::Empty;
    if (error != ListFileError::None)
        return Failure(error, Refusal(error, path));

    // Editors that save UTF-8 may put a byte order mark first: the text after it is UTF-8 whatever the system's.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const bool marked = bytes.starts_with(kByteOrderMark);
    const std::string_view text = std::string_view(bytes).substr(marked ? kByteOrderMark.size() : 0);
    const ListFileDecoder decoder(text);
    const auto decode = [&](std::string_view line) { return marked ? std::string(line) : decoder(line); };
    // Only the head line and the map lines are kept, so memory stays near the file's size.
    ListFileContent content;
    // Room for every line at once: a list of many thousand maps is not copied
    // as it grows.
    content.mapPaths.reserve(std::max(std::count(text.begin(), text.end(), '\n'),
                                      std::count(text.begin(), text.end(), '\r')));
    bool valid = false;
    std::size_t number = 0;
    ForEachLine(text, [&](std::string_view line) {
        if (++number == 1) {
            const std::optional<ListHead> head = ParseHeadLine(decode(line));
            valid = head.has_value();
            if (valid)
                content.head = *head;
        } else if (valid && EndsWithNoCase(line, ".img")) {
            // The test on the bytes only spares decoding the other lines.
            std::string map = decode(line);
            if (map.find('\0') != std::string::npos)
                content.linesWithNul.push_back(number);
            else if (EndsWithNoCase(map, ".img"))
                content.mapPaths.push_back(std::move(map));
        }
    });
    if (!valid)
        return Failure(ListFileError::Invalid, kInvalidFile);
    return content;
}

std::optional<std::string> LinesWithNulMessage(const std::string& path, const ListFileContent& content)
{
    const std::vector<std::size_t>& lines = content.linesWithNul;
    if (lines.empty())
        return std::nullopt;
    std::string numbers;
    for (std::size_t i = 0; i < lines.size(); ++i)
        numbers += (i == 0 ? "" : i + 1 == lines.size() ? " and " : ", ") + std::to_string(lines[i]);
    return "The list file " + path + (lines.size() == 1 ? " holds a line" : " holds lines") +
           " with a NUL byte, which no file's path holds, so " + (lines.size() == 1 ? "it was" : "they were") +
           " left out: " + (lines.size() == 1 ? "line " : "lines ") + numbers + ".";
}

} // namespace mapwren
