#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A command line is one text that the started program splits into arguments
// as the Microsoft C runtime does; these helpers write and read that text.
namespace mapwren {

// Splits a command line as the Microsoft C runtime splits it into argv.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// The program's path as the first token: enclosed in double quotes when it
// holds a blank or a tab, otherwise unchanged.
std::string QuoteProgramPath(const std::string& path);

// An argument that SplitCommandLine gives back unchanged: as it is when it
// holds no blank, tab or double quote, otherwise quoted by the runtime's rules.
std::string QuoteArgument(const std::string& argument);

// Length as Windows counts a command line: UTF-16 code units.
std::size_t CommandLineLength(std::string_view commandLine);

} // namespace mapwren
