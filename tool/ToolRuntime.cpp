#include "tool/ToolRuntime.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <sstream>
#include <string_view>
#include <system_error>
#include <utility>

#include "common/Encoding.h"
#include "common/Files.h"
#include "common/Paths.h"
#include "common/Settings.h"
#include "common/Text.h"
#include "maplist/FileHead.h"

#ifndef _WIN32
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mapwren {

namespace fs = std::filesystem;

namespace {

#ifndef _WIN32

// Read as the folder scan reads a map: a pipe put in the tool's place is never waited on.
bool IsWindowsProgram(const std::string& toolPath)
{
    const Result<FileHead> head = ReadFileHead(toolPath);
    return head && head.value().Bytes().starts_with("MZ");
}

// "sendmap20.exe" in any case becomes "sendmap20", the name of its Linux build.
std::string LinuxBuildName(const std::string& toolPath)
{
    std::string name = ToLowerAscii(Utf8FromPath(PathFromUtf8(toolPath).filename()));
    if (name.ends_with(".exe"))
        name.resize(name.size() - 4);
    return name;
}

constexpr std::array<const char*, kComPorts.size()> kLinuxPorts = {"/dev/ttyS0",   "/dev/ttyS1",   "/dev/ttyS2",
                                                    "/dev/ttyS3",   "/dev/ttyUSB0", "/dev/ttyUSB1",
                                                    "/dev/ttyUSB2", "/dev/ttyACM0", "/dev/ttyACM1"};

// A device file is there; a built-in port's file always is, so the kernel's
// word on whether a port answers it is taken too (type 0: no such port).
bool DevicePresent(const std::string& device)
{
    std::error_code ec;
    if (!fs::exists(device, ec))
        return false;
    const std::string name = device.substr(device.rfind('/') + 1);
    if (!name.starts_with("ttyS"))
        return true;
    const std::string type = ReadOrdinaryFile("/sys/class/tty/" + name + "/type", 16);
    return type.empty() || std::atoi(type.c_str()) != 0;
}

// How a port's device reads in the tooltip: its path, cut to a line's
// length, and whether it is there for this user.
std::string DeviceText(const std::string& device)
{
    constexpr std::size_t kLongest = 100;
    std::size_t cut = std::min(device.size(), kLongest);
    while (cut < device.size() && cut > 0 && (static_cast<unsigned char>(device[cut]) & 0xC0) == 0x80)
        --cut;   // never inside a character
    std::string text = device.substr(0, cut) + (cut < device.size() ? "..." : "");
    if (!DevicePresent(device))
        return text + " (not connected)";
    // Asked with the ids the program acts with, as opening it would be.
    if (::faccessat(AT_FDCWD, device.c_str(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES)
        return text + " (no permission: see the user guide's Permissions)";
    return text;
}

std::string WinePrefix()
{
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return prefix;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine";
}

// A registry value's text as Wine reads it back: "\\", "\"", "\n" and their
// kin, octal "\ooo" and "\xhhhh" for any character.
std::string Unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        const auto number = [&](int base, std::size_t most) {
            unsigned value = 0;
            std::size_t n = 0;
            for (; n < most && i + n < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + n])) &&
                   (base == 16 || (text[i + n] >= '0' && text[i + n] <= '7'));
                 ++n)
                value = value * base + static_cast<unsigned>(std::stoi(std::string(1, text[i + n]), nullptr, 16));
            i += n - 1;
            return n ? value : static_cast<unsigned>(c);
        };
        if (c == 'x') {
            ++i;
            out += Utf8FromCodePoint(number(16, 4));
        } else if (c >= '0' && c <= '7') {
            out += Utf8FromCodePoint(number(8, 3));
        } else {
            const char* from = "abefnrtv";
            const char* to = "\a\b\x1b\f\n\r\t\v";
            const char* at = std::strchr(from, c);
            out += at && c ? to[at - from] : c;
        }
    }
    return out;
}

// The string values of Wine's Ports key (HKLM\Software\Wine\Ports), which
// Wine takes before its own numbering of the serial devices: names in lower
// case, as Wine matches them without regard to case. Only the key is read,
// and of it no more than a key of ports can sensibly hold.
std::map<std::string, std::string> ReadRegistryPorts(const std::string& prefix)
{
    constexpr std::size_t kKeyLimit = 64 * 1024, kLineLimit = 4096;
    std::map<std::string, std::string> ports;
    std::string key;
    bool fileStart = true;   // a key's line begins the file or follows a line end
    ScanOrdinaryFile(prefix + "/system.reg", [&](std::string_view text, bool atEnd) -> std::size_t {
        const std::string_view head = "\n[Software\\\\Wine\\\\Ports]";
        std::size_t at = std::string_view::npos;
        const std::string lowerHead = ToLowerAscii(std::string(head));
        for (std::size_t from = 0; (from = text.find("[Software\\\\Wine\\\\", from)) != std::string_view::npos; ++from) {
            const bool lineStart = from == 0 ? fileStart : text[from - 1] == '\n';
            if (lineStart && ToLowerAscii(std::string(text.substr(from, head.size() - 1))) == lowerHead.substr(1)) {
                at = from + head.size() - 1;
                break;
            }
        }
        if (at == std::string_view::npos) {   // keep what may hold the start of the key's line
            const std::size_t done = text.size() > head.size() ? text.size() - head.size() : 0;
            fileStart = fileStart && done == 0;
            return done;
        }
        if (!atEnd && text.size() - at < kKeyLimit)
            return 0;   // the key's lines, once enough of them are read
        key = text.substr(at, kKeyLimit);
        return std::string_view::npos;
    });
    std::istringstream lines(key);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("["))
            break;
        line.resize(std::min(line.size(), kLineLimit));
        // "name"="value", each with its quotes and blackslashes escaped.
        const std::size_t nameEnd = [&] {
            for (std::size_t i = 1; i < line.size(); ++i) {
                if (line[i] == '\\')
                    ++i;
                else if (line[i] == '"')
                    return i;
            }
            return std::string::npos;
        }();
        if (!line.starts_with("\"") || nameEnd == std::string::npos || line.compare(nameEnd, 3, "\"=\"") != 0)
            continue;
        std::string value = line.substr(nameEnd + 3);
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (value[i] == '\\')
                ++i;
            else if (value[i] == '"')
                value.resize(i);
        }
        ports[ToLowerAscii(Unescaped(std::string_view(line).substr(1, nameEnd - 1)))] = Unescaped(value);
    }
    return ports;
}

// The key as last read, kept while system.reg keeps its size and time: a
// registry of a hundred megabytes is then not read again at each port choice.
std::map<std::string, std::string> RegistryPorts(const std::string& prefix)
{
    struct Read {
        std::string prefix;
        off_t size = -1;
        timespec changed{};
        std::map<std::string, std::string> ports;
    };
    static std::mutex mutex;
    static Read last;
    struct stat st {};
    if (::stat((prefix + "/system.reg").c_str(), &st) != 0)
        return {};
    const std::lock_guard lock(mutex);
    if (last.prefix != prefix || last.size != st.st_size || last.changed.tv_sec != st.st_mtim.tv_sec ||
        last.changed.tv_nsec != st.st_mtim.tv_nsec)
        last = {prefix, st.st_size, st.st_mtim, ReadRegistryPorts(prefix)};
    return last.ports;
}

std::string WinePortLine(const std::string& prefix, const std::map<std::string, std::string>& registry,
                         const std::string& comPort)
{
    const auto set = registry.find(ToLowerAscii(comPort));
    std::string device = set != registry.end() ? set->second : "";
    if (device.empty()) {
        // A link of its own is read against the folder it lies in.
        const fs::path dosdevices = PathFromUtf8(prefix + "/dosdevices");
        std::error_code ec;
        const fs::path target = fs::read_symlink(dosdevices / ToLowerAscii(comPort), ec);
        if (!ec && !target.empty())
            device = Utf8FromPath(target.is_relative() ? (dosdevices / target).lexically_normal() : target);
    }
    if (device.empty())
        return comPort + ": not mapped by Wine";
    return comPort + ": " + DeviceText(device);
}

#endif

} // namespace

#ifdef _WIN32

bool ToolReads(std::string_view text, ToolRuntime) { return ToolCanRead(text); }

bool ToolOpens(const std::string& path, ToolRuntime) { return ToolCanRead(path); }

Result<ToolRuntime> ToolRuntimeOf(const std::string&) { return ToolRuntime::Native; }

std::string ToolSidePath(const std::string& path, ToolRuntime) { return path; }

std::string ToolSidePort(const std::string& comPort, ToolRuntime) { return comPort; }

std::string ComPortsToolTip(const std::string&) { return {}; }

#else

namespace {

// The ANSI code page Wine gives its programs: chosen by the locale's language
// (and for Chinese its region), as Windows chooses it for the same language.
std::string WineCodePage()
{
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        if (const char* value = std::getenv(name); value && *value) {
            locale = value;
            break;
        }
    }
    const std::string language = ToLowerAscii(locale.substr(0, locale.find_first_of("_.@")));
    if (language == "zh")
        return locale.starts_with("zh_TW") || locale.starts_with("zh_HK") ? "CP950" : "CP936";
    if (language == "sr" && locale.find("@latin") != std::string::npos)
        return "CP1250";
    // Each row's languages are separated by blanks.
    struct LanguagesPage {
        std::string_view languages;
        const char* page;
    };
    static constexpr LanguagesPage pages[] = {
        {"ja", "CP932"}, {"ko", "CP949"}, {"th", "CP874"}, {"vi", "CP1258"}, {"el", "CP1253"},
        {"tr az", "CP1254"}, {"he", "CP1255"}, {"ar fa ur", "CP1256"}, {"lt lv et", "CP1257"},
        {"ru uk be bg mk sr kk ky tg mn", "CP1251"},
        {"pl cs sk hu sl hr ro sq bs", "CP1250"}};
    const std::string word = " " + language + " ";
    for (const auto& [languages, page] : pages) {
        if (!language.empty() && (" " + std::string(languages) + " ").find(word) != std::string::npos)
            return page;
    }
    return "CP1252";
}

} // namespace

bool ToolReads(std::string_view text, ToolRuntime runtime)
{
    if (runtime == ToolRuntime::Native ||
        std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return true;
    const iconv_t convert = ::iconv_open(WineCodePage().c_str(), "UTF-8");
    if (convert == reinterpret_cast<iconv_t>(-1))
        return true;   // a code page this system cannot tell about
    std::string in(text), out(text.size() * 4 + 4, '\0');
    char* from = in.data();
    char* to = out.data();
    std::size_t left = in.size(), room = out.size();
    const bool whole = ::iconv(convert, &from, &left, &to, &room) != static_cast<std::size_t>(-1) && left == 0;
    ::iconv_close(convert);
    return whole;
}

bool ToolOpens(const std::string& path, ToolRuntime runtime)
{
    if (runtime == ToolRuntime::Native)
        return ToolCanRead(path);
    return std::none_of(path.begin(), path.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || std::strchr("\\\"<>|?*", c); }) &&
           ToolReads(path, runtime);
}

Result<ToolRuntime> ToolRuntimeOf(const std::string& toolPath)
{
    if (IsWindowsProgram(toolPath)) {
        if (FindOnPath("wine"))
            return ToolRuntime::Wine;
        return Result<ToolRuntime>::Failure(
            "The upload tool " + toolPath + " is a Windows program, and Wine, which runs Windows programs here, "
            "is not installed. Install Wine (package wine), or put the tool's Linux build, " +
            LinuxBuildName(toolPath) + ", beside MAPWREN.");
    }
    // The terminal would only show why the tool could not start; the window says it.
    if (::access(toolPath.c_str(), F_OK) != 0)
        return Result<ToolRuntime>::Failure("The upload tool " + toolPath +
                                            " could not be started: " + std::generic_category().message(errno) + ".");
    struct stat st {};
    if (::stat(toolPath.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return Result<ToolRuntime>::Failure("The upload tool " + toolPath +
                                            " could not be started: it is not an ordinary file.");
    if (::access(toolPath.c_str(), X_OK) != 0)
        return Result<ToolRuntime>::Failure("The upload tool " + toolPath +
                                            " may not be run: it lacks the permission to execute. Make it "
                                            "executable (chmod +x, or \"Allow executing file as program\" in "
                                            "its properties) and try again.");
    return ToolRuntime::Native;
}

std::string ToolSidePath(const std::string& path, ToolRuntime runtime)
{
    if (runtime == ToolRuntime::Native)
        return path;
    std::string windows = "Z:" + path;
    for (char& c : windows)
        c = c == '/' ? '\\' : c;
    return windows;
}

std::string ToolSidePort(const std::string& comPort, ToolRuntime runtime)
{
    const int number = ComPortNumber(comPort);
    return runtime == ToolRuntime::Native && number ? kLinuxPorts[number - 1] : comPort;
}

std::string ComPortsToolTip(const std::string& toolPath)
{
    const ToolRuntime runtime = IsWindowsProgram(toolPath) ? ToolRuntime::Wine : ToolRuntime::Native;
    const std::string prefix = WinePrefix();
    const std::map<std::string, std::string> registry =
        runtime == ToolRuntime::Wine ? RegistryPorts(prefix) : std::map<std::string, std::string>{};
    std::string tip = runtime == ToolRuntime::Native ? "The upload tool's Linux build opens:"
                                                     : "Under Wine (prefix " + prefix + ") the ports are:";
    for (std::size_t n = 0; n < kComPorts.size(); ++n) {
        const std::string com(kComPorts[n]);
        tip += "\n" + (runtime == ToolRuntime::Wine ? WinePortLine(prefix, registry, com)
                                                   : com + ": " + DeviceText(kLinuxPorts[n]));
    }
    return tip;
}

std::optional<std::string> FindOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    const std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    for (std::size_t start = 0; start <= dirs.size();) {
        std::size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        const std::string dir = end == start ? "." : dirs.substr(start, end - start);
        const std::string candidate = dir + "/" + name;
        struct stat st {};
        if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

#endif

} // namespace mapwren
