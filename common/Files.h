#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Reading small files the program does not own (a Wine prefix's registry, a
// device's description) as the folder scan reads map files: opened without
// waiting, so a pipe or a device in a file's place never holds the window.
namespace mapwren {

#ifndef _WIN32
// Hands the file's bytes to `look` as they are read: each time the text not
// yet done with and a new piece, and whether the file has ended. `look`
// returns how many leading bytes it is done with, or npos to stop. Anything
// but an ordinary file is not read at all.
void ScanOrdinaryFile(const std::string& path,
                      const std::function<std::size_t(std::string_view text, bool atEnd)>& look);

// The first `limit` bytes of an ordinary file; empty for anything else.
std::string ReadOrdinaryFile(const std::string& path, std::size_t limit);
#endif

} // namespace mapwren
