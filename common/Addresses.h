#pragma once

// The program's own addresses and version, in one place.
namespace mapwren {

#define MAPWREN_TEXT_OF(token) #token
#define MAPWREN_TEXT(token) MAPWREN_TEXT_OF(token)   // a macro's value as a text

// The program file's own name, which Windows gives as the title of a message
// shown before the main window has one: the missing-tool message keeps it.
inline constexpr const char* kProgramTitle = "mapwren";
// The title of every other message and question.
inline constexpr const char* kMessageTitle = "MAPWREN";
inline constexpr const char* kVersion = "v" MAPWREN_TEXT(MAPWREN_VERSION);   // the project version CMakeLists.txt gives
inline constexpr const char* kHomepage = "https://mapwren.example.org/";
inline constexpr const char* kAuthorEmail = "tobrenn@mapwren.example.org";
inline constexpr const char* kToolDownloadPage = "https://mapwren.example.org/sendmap/";

} // namespace mapwren
