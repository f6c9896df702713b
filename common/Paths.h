#pragma once

#include <filesystem>
#include <string>

// Paths travel through the program as UTF-8 text; these helpers hide how each
// platform spells, finds and shortens them.
namespace mapwren {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Folder of the running executable, without a trailing separator.
std::string ProgramFolder();

// True when sFile names an existing file (an empty file counts). Never fails.
bool FileExist(const std::string& sFile);

// A form of the path that holds no blanks where the platform can give one
// (8.3 names on Windows), the absolute path elsewhere; empty for a missing file.
std::string GetShortFileName(const std::string& LongFileName);

// Conversions between our UTF-8 text and the platform's path type.
std::filesystem::path PathFromUtf8(const std::string& text);
std::string Utf8FromPath(const std::filesystem::path& path);

} // namespace mapwren
