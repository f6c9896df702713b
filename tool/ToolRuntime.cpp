#include "tool/ToolRuntime.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "common/Paths.h"
#include "common/Settings.h"
#include "common/Text.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace mapwren {

namespace fs = std::filesystem;

namespace {

#ifndef _WIN32

bool IsWindowsProgram(const std::string& toolPath)
{
    std::ifstream in(PathFromUtf8(toolPath), std::ios::binary);
    std::array<char, 2> mark{};
    return in.read(mark.data(), mark.size()) && mark[0] == 'M' && mark[1] == 'Z';
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
    std::ifstream type("/sys/class/tty/" + name + "/type");
    int kind = 1;
    return !(type >> kind) || kind != 0;
}

std::string WinePrefix()
{
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix)
        return prefix;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine";
}

// "COMn" set in the prefix's registry (HKLM\Software\Wine\Ports), which Wine
// takes before its own numbering of the serial devices.
std::optional<std::string> RegistryPort(const std::string& prefix, const std::string& comPort)
{
    std::ifstream reg(prefix + "/system.reg");
    bool inPorts = false;
    for (std::string line; std::getline(reg, line);) {
        if (line.starts_with("["))
            inPorts = line.starts_with("[Software\\\\Wine\\\\Ports]");
        else if (inPorts && line.starts_with("\"" + comPort + "\"=\"")) {
            const std::size_t start = comPort.size() + 4;
            const std::size_t end = line.find('"', start);
            return line.substr(start, end == std::string::npos ? std::string::npos : end - start);
        }
    }
    return std::nullopt;
}

std::string WinePortLine(const std::string& prefix, const std::string& comPort)
{
    std::string device = RegistryPort(prefix, comPort).value_or("");
    std::error_code ec;
    if (device.empty())
        device = fs::read_symlink(prefix + "/dosdevices/" + ToLowerAscii(comPort), ec).string();
    if (device.empty())
        return comPort + ": not mapped by Wine";
    return comPort + ": " + device + (DevicePresent(device) ? "" : " (not connected)");
}

#endif

} // namespace

#ifdef _WIN32

Result<ToolRuntime> ToolRuntimeOf(const std::string&) { return ToolRuntime::Native; }

std::string ToolSidePath(const std::string& path, ToolRuntime) { return path; }

std::string ToolSidePort(const std::string& comPort, ToolRuntime) { return comPort; }

std::string ComPortsToolTip(const std::string&) { return {}; }

#else

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
    std::string tip = runtime == ToolRuntime::Native ? "The upload tool's Linux build opens:"
                                                     : "Under Wine (prefix " + prefix + ") the ports are:";
    for (std::size_t n = 0; n < kComPorts.size(); ++n) {
        const std::string com(kComPorts[n]);
        const std::string device = kLinuxPorts[n];
        tip += "\n" + (runtime == ToolRuntime::Wine
                           ? WinePortLine(prefix, com)
                           : com + ": " + device + (DevicePresent(device) ? "" : " (not connected)"));
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
