#pragma once

#include <list>
#include <string>
#include <vector>

#include "tool/Commands.h"

// Every kind of command line the window starts: its settings, its exact text
// for the program folder "{folder}" and the maps "{map1}", "{map2}", and the
// arguments the tool then receives.
namespace mapwren::testing {

inline UploadSettings Upload(ToolVariant variant, Port port, const char* com, int speed,
                             const char* mapset = nullptr, const char* createFileSwitch = "")
{
    return {variant, port, com, speed, mapset != nullptr, mapset ? mapset : "", createFileSwitch};
}

struct CommandCase {
    bool erase;
    UploadSettings settings;
    int maps;
    const char* text;
    std::vector<std::string> argv;   // without the program name
};

inline const std::vector<CommandCase>& CommandCases()
{
    constexpr auto V1 = ToolVariant::Sendmap;
    constexpr auto V2 = ToolVariant::Sendmap20;
    static const std::vector<CommandCase> cases = {
        {false, Upload(V1, Port::Com, "COM3", 9600), 2, "{folder}\\SENDMAP.EXE COM3 -s9600 {map1} {map2}",
         {"COM3", "-s9600", "{map1}", "{map2}"}},
        {false, Upload(V1, Port::Com, "COM1", 115200), 1, "{folder}\\SENDMAP.EXE COM1 -s115200 {map1}",
         {"COM1", "-s115200", "{map1}"}},
        {false, Upload(V2, Port::Auto, "COM1", 19200), 1, "{folder}\\SENDMAP20.EXE -s19200 {map1}",
         {"-s19200", "{map1}"}},
        {false, Upload(V2, Port::Auto, "COM1", 115200), 1, "{folder}\\SENDMAP20.EXE {map1}", {"{map1}"}},
        {false, Upload(V2, Port::Com, "COM2", 38400), 2, "{folder}\\SENDMAP20.EXE -tCOM2 -s38400 {map1} {map2}",
         {"-tCOM2", "-s38400", "{map1}", "{map2}"}},
        {false, Upload(V2, Port::Usb, "COM1", 9600), 1, "{folder}\\SENDMAP20.EXE -tUSB {map1}", {"-tUSB", "{map1}"}},
        {false, Upload(V2, Port::Auto, "COM1", 115200, nullptr, "-l "), 1, "{folder}\\SENDMAP20.EXE -l {map1}",
         {"-l", "{map1}"}},
        {false, Upload(V2, Port::Com, "COM1", 57600, "Topo"), 1,
         "{folder}\\SENDMAP20.EXE -tCOM1 -s57600 {map1} -m \"Topo\"", {"-tCOM1", "-s57600", "{map1}", "-m", "Topo"}},
        {false, Upload(V2, Port::Auto, "COM1", 9600, "Alps Topo"), 1,
         "{folder}\\SENDMAP20.EXE -s9600 {map1} -m \"Alps Topo\"", {"-s9600", "{map1}", "-m", "Alps Topo"}},
        {false, Upload(V2, Port::Auto, "COM1", 115200, ""), 1, "{folder}\\SENDMAP20.EXE {map1} -m \"\"",
         {"{map1}", "-m", ""}},
        // The first variant knows neither a mapset nor the create-file switch.
        {false, Upload(V1, Port::Com, "COM4", 57600, "Topo", "-l "), 1, "{folder}\\SENDMAP.EXE COM4 -s57600 {map1}",
         {"COM4", "-s57600", "{map1}"}},
        // No port chosen: no "-t" glued to the next piece.
        {false, Upload(V2, Port::None, "COM1", 9600), 1, "{folder}\\SENDMAP20.EXE -s9600 {map1}",
         {"-s9600", "{map1}"}},
        {true, Upload(V2, Port::Auto, "COM1", 9600), 0, "{folder}\\SENDMAP20.EXE  -e", {"-e"}},
        {true, Upload(V2, Port::Com, "COM1", 9600), 0, "{folder}\\SENDMAP20.EXE -tCOM1 -e", {"-tCOM1", "-e"}},
        {true, Upload(V2, Port::Usb, "COM1", 9600), 0, "{folder}\\SENDMAP20.EXE -tUSB -e", {"-tUSB", "-e"}},
        {true, Upload(V1, Port::Com, "COM4", 9600), 0, "{folder}\\SENDMAP.EXE COM4 -e", {"COM4", "-e"}},
    };
    return cases;
}

// The command line of a case, for the given folder, tool name and maps.
inline std::string BuildCommand(const CommandCase& c, const std::string& folder, const std::string& tool,
                                const std::string& map1, const std::string& map2)
{
    const UploadSettings& s = c.settings;
    if (c.erase)
        return BuildEraseCommand(folder, tool, s.variant, s.port, s.comPort);
    std::list<std::string> selected;
    if (c.maps >= 1) selected.push_back(map1);
    if (c.maps >= 2) selected.push_back(map2);
    return BuildUploadCommand(folder, tool, s, selected);
}

} // namespace mapwren::testing
