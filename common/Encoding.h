#pragma once

#include <string>
#include <string_view>

// Map headers and list files hold single-byte text; inside the program all
// text is UTF-8.
namespace mapwren {

// Header name bytes: the ANSI code page on Windows, Windows-1252 elsewhere.
std::string HeaderBytesToUtf8(std::string_view bytes);

// List file bytes: the ANSI code page on Windows, UTF-8 elsewhere.
std::string ListFileBytesToUtf8(std::string_view bytes);

// False when the text holds a character the list file's code page cannot hold.
bool Utf8ToListFileBytes(std::string_view text, std::string& bytes);

} // namespace mapwren
