#pragma once

// The program's own addresses and version, in one place.
namespace mapwren {

#define MAPWREN_TEXT_OF(token) #token
#define MAPWREN_TEXT(token) MAPWREN_TEXT_OF(token)   // a macro's value as a text

inline constexpr const char* kProgramTitle = "mapwren";
inline constexpr const char* kVersion = "v" MAPWREN_TEXT(MAPWREN_VERSION);   // the project version CMakeLists.txt gives
inline constexpr const char* kHomepage = "https://mapwren.example.org/";
inline constexpr const char* kAuthorEmail = "tobrenn@mapwren.example.org";
inline constexpr const char* kToolDownloadPage = "https://mapwren.example.org/sendmap/";

} // namespace mapwren
