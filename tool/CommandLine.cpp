#include "tool/CommandLine.h"

#include <cstdint>

namespace mapwren {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The program name has a rule of its own: double quotes switch quoting on
// and off and are dropped, backslashes are plain characters.
std::size_t SplitProgramName(const std::string& line, std::string& name)
{
    bool inQuotes = false;
    std::size_t i = 0;
    for (; i < line.size() && (inQuotes || !IsBlank(line[i])); ++i) {
        if (line[i] == '"')
            inQuotes = !inQuotes;
        else
            name += line[i];
    }
    return i;
}

// One argument from position i on: 2n backslashes before a double quote give
// n backslashes and the quote switches quoting, 2n+1 give n and a literal
// quote; "" inside quotes is a literal quote; other backslashes are literal.
std::string SplitArgument(const std::string& line, std::size_t& i)
{
    std::string arg;
    bool inQuotes = false;
    while (i < line.size()) {
        std::size_t backslashes = 0;
        while (i < line.size() && line[i] == '\\') {
            ++backslashes;
            ++i;
        }
        if (i < line.size() && line[i] == '"') {
            arg.append(backslashes / 2, '\\');
            if (backslashes % 2 == 1) {
                arg += '"';
            } else if (inQuotes && i + 1 < line.size() && line[i + 1] == '"') {
                arg += '"';
                ++i;
            } else {
                inQuotes = !inQuotes;
            }
            ++i;
            continue;
        }
        arg.append(backslashes, '\\');
        if (i == line.size() || (!inQuotes && IsBlank(line[i])))
            break;
        arg += line[i++];
    }
    return arg;
}

} // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine)
{
    std::vector<std::string> argv(1);
    std::size_t i = SplitProgramName(commandLine, argv.front());
    for (;;) {
        while (i < commandLine.size() && IsBlank(commandLine[i]))
            ++i;
        if (i == commandLine.size())
            return argv;
        argv.push_back(SplitArgument(commandLine, i));
    }
}

std::string QuoteProgramPath(const std::string& path)
{
    return path.find_first_of(" \t") == std::string::npos ? path : '"' + path + '"';
}

std::string QuoteArgument(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes are doubled only where a double quote follows them.
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        out += c;
        backslashes = 0;
    }
    out.append(backslashes * 2, '\\');
    return out + '"';
}

std::size_t CommandLineLength(std::string_view commandLine)
{
    std::size_t units = 0;
    for (const char c : commandLine) {
        const auto b = static_cast<std::uint8_t>(c);
        if ((b & 0xC0) != 0x80)
            units += b >= 0xF0 ? 2 : 1;   // four-byte sequences need a surrogate pair
    }
    return units;
}

} // namespace mapwren
