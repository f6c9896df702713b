#pragma once

#include <list>
#include <string>
#include <vector>

#include "tool/Commands.h"

// Every kind of command line the window starts: its exact text for the
// folder "{folder}" and the maps "{map1}", "{map2}"; the arguments the tool
// then receives, "|" between them.
namespace mapwren::testing {

inline UploadSettings Upload(ToolVariant variant, Port port, const char* com, int speed,
                             const char* mapset = nullptr, const char* createFileSwitch = "")
{
    return {variant, port, com, speed, mapset != nullptr, mapset ? mapset : "", createFileSwitch};
}

struct CommandCase {
    int maps;   // -1: erase
    UploadSettings settings;
    const char* text;
    const char* argv;
};

inline const std::vector<CommandCase>& CommandCases()
{
    constexpr auto V1 = ToolVariant::Sendmap;
    constexpr auto V2 = ToolVariant::Sendmap20;
    static const std::vector<CommandCase> cases = {
        {2, Upload(V1, Port::Com, "COM3", 9600), "{folder}\\SENDMAP.EXE COM3 -s9600 {map1} {map2}", "COM3|-s9600|{map1}|{map2}"},
        {1, Upload(V1, Port::Com, "COM1", 115200), "{folder}\\SENDMAP.EXE COM1 -s115200 {map1}", "COM1|-s115200|{map1}"},
        {1, Upload(V2, Port::Auto, "COM1", 19200), "{folder}\\SENDMAP20.EXE -s19200 {map1}", "-s19200|{map1}"},
        {1, Upload(V2, Port::Auto, "COM1", 115200), "{folder}\\SENDMAP20.EXE {map1}", "{map1}"},
        {2, Upload(V2, Port::Com, "COM2", 38400), "{folder}\\SENDMAP20.EXE -tCOM2 -s38400 {map1} {map2}", "-tCOM2|-s38400|{map1}|{map2}"},
        {1, Upload(V2, Port::Usb, "COM1", 9600), "{folder}\\SENDMAP20.EXE -tUSB {map1}", "-tUSB|{map1}"},
        {1, Upload(V2, Port::Auto, "COM1", 115200, nullptr, "-l "), "{folder}\\SENDMAP20.EXE -l {map1}", "-l|{map1}"},
        {1, Upload(V2, Port::Auto, "COM1", 9600, "Alps Topo"), "{folder}\\SENDMAP20.EXE -s9600 {map1} -m \"Alps Topo\"", "-s9600|{map1}|-m|Alps Topo"},
        {1, Upload(V2, Port::Auto, "COM1", 115200, ""), "{folder}\\SENDMAP20.EXE {map1} -m \"\"", "{map1}|-m|"},
        // The first variant knows neither a mapset nor the create-file switch.
        {1, Upload(V1, Port::Com, "COM4", 57600, "Topo", "-l "), "{folder}\\SENDMAP.EXE COM4 -s57600 {map1}", "COM4|-s57600|{map1}"},
        {1, Upload(V2, Port::None, "COM1", 9600), "{folder}\\SENDMAP20.EXE -s9600 {map1}", "-s9600|{map1}"},   // no "-t" glued on
        {-1, Upload(V2, Port::Auto, "COM1", 9600), "{folder}\\SENDMAP20.EXE  -e", "-e"},
        {-1, Upload(V2, Port::Com, "COM1", 9600), "{folder}\\SENDMAP20.EXE -tCOM1 -e", "-tCOM1|-e"},
        {-1, Upload(V1, Port::Com, "COM4", 9600), "{folder}\\SENDMAP.EXE COM4 -e", "COM4|-e"},
    };
    return cases;
}

inline std::string BuildCommand(const CommandCase& c, const std::string& folder, const std::string& tool,
                                const std::string& map1, const std::string& map2)
{
    const UploadSettings& s = c.settings;
    if (c.maps < 0)
        return BuildEraseCommand(folder, tool, s.variant, s.port, s.comPort);
    std::list<std::string> selected = {map1, map2};
    selected.resize(c.maps);
    return BuildUploadCommand(folder, tool, s, selected);
}

inline std::vector<std::string> Arguments(const CommandCase& c, const std::string& map1, const std::string& map2)
{
    std::vector<std::string> args;
    for (std::string rest = std::string(c.argv) + "|"; !rest.empty(); rest.erase(0, rest.find('|') + 1)) {
        const std::string arg = rest.substr(0, rest.find('|'));
        args.push_back(arg == "{map1}" ? map1 : arg == "{map2}" ? map2 : arg);
    }
    return args;
}

} // namespace mapwren::testing
