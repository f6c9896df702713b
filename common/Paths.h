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
// True when path names an existing folder. Never fails.
bool FolderExist(const std::string& path);

// A form of the path that holds no blanks where the platform can give one
// (8.3 names on Windows), the absolute path elsewhere; empty for a missing file.
// An existing file never gets an empty text: where Windows gives no short
// form (a network share, a drive without 8.3 names), its full path serves.
std::string GetShortFileName(const std::string& LongFileName);

#ifdef _WIN32
// The system's short form of an existing file or folder, written as a path
// of up to MAX_PATH characters where it fits ("\\?\" before it otherwise);
// empty where the system gives none.
std::string ShortPathOf(const std::string& path);
#endif

// Conversions between our UTF-8 text and the platform's path type. On
// Windows a full path too long for the system's plain calls comes back in
// its "\\?\" form, which reaches past MAX_PATH.
std::filesystem::path PathFromUtf8(const std::string& text);
std::string Utf8FromPath(const std::filesystem::path& path);

} // namespace mapwren
