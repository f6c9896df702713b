#pragma once

// The program's own addresses, in one place.
namespace mapwren {

inline constexpr const char* kProgramTitle = "mapwren";
inline constexpr const char* kVersion = "v1.96";
inline constexpr const char* kHomepage = "https://mapwren.example.org/";
inline constexpr const char* kAuthorEmail = "tobrenn@mapwren.example.org";
inline constexpr const char* kToolDownloadPage = "https://mapwren.example.org/sendmap/";

} // namespace mapwren
