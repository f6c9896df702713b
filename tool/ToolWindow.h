#pragma once

// What the window the upload tool runs in shows once the tool has ended, on
// every system, and the Windows program that keeps that window open.
namespace mapwren {

inline constexpr char kToolWindowTitle[] = "MAPWREN - upload tool";
inline constexpr char kToolEndedLine[] = "The upload tool has ended. Press Enter to close this window. ";

// Beside mapwren.exe; given the handle of an event to set once the tool has
// ended, then the tool's command line as the tool is to receive it.
inline constexpr wchar_t kToolConsoleProgram[] = L"mapwren-console.exe";

} // namespace mapwren
