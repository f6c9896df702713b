#include "tool/Commands.h"

#include <filesystem>
#include <system_error>

#include "common/Addresses.h"
#include "common/Paths.h"
#include "common/Text.h"
#include "tool/CommandLine.h"
#include "tool/ToolText.h"

namespace mapwren {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSendmap = "sendmap.exe";
constexpr const char* kSendmap20 = "sendmap20.exe";

bool IsSecond(ToolVariant variant) { return variant == ToolVariant::Sendmap20; }

// "-t" goes only before a port word: with no port chosen it would glue
// itself to the next piece.
std::string PortWord(ToolVariant variant, Port port, const std::string& comPort)
{
    const std::string word = port == Port::Com ? comPort : port == Port::Usb ? "USB" : "";
    return (IsSecond(variant) && !word.empty()) ? "-t" + word : word;
}

std::string SpeedPiece(const UploadSettings& s)
{
    if (s.port == Port::Usb || (IsSecond(s.variant) && s.speed == 115200))
        return {};
    return "-s" + std::to_string(s.speed) + " ";
}

// Backslashes that end the name would escape the closing double quote.
std::string MapsetPiece(const UploadSettings& s)
{
    if (!IsSecond(s.variant) || !s.mapsetTicked)
        return {};
    const std::size_t end = s.mapsetName.find_last_not_of('\\') + 1;   // npos + 1 is 0
    const std::size_t trailing = s.mapsetName.size() - end;
    return " -m \"" + s.mapsetName + std::string(trailing, '\\') + "\"";
}

// The command line in three parts around the maps: the tool with its
// create-file switch; the port and speed words, which the maps follow, each
// with a blank after it; and the mapset name.
struct UploadPieces {
    std::string head;
    std::string middle;
    std::string tail;
};

UploadPieces SplitUpload(const std::string& toolPath, const UploadSettings& s)
{
    UploadPieces p;
    p.head = QuoteProgramPath(toolPath) + " " + (IsSecond(s.variant) ? s.createFileSwitch : "");
    const std::string port = PortWord(s.variant, s.port, s.comPort);
    p.middle = port + (port.empty() ? "" : " ") + SpeedPiece(s);
    p.tail = MapsetPiece(s);
    return p;
}

// How many leading maps fit on a command line of at most kMaxCommandLine
// characters with its terminating NUL.
std::size_t FittingMaps(const UploadPieces& p, const std::list<std::string>& selectedFiles)
{
    // Each map counts with its blank, but the last map's blank is dropped:
    // that is the one character the line is shorter than the sum.
    std::size_t length = CommandLineLength(p.head) + CommandLineLength(p.middle) + CommandLineLength(p.tail);
    std::size_t fitting = 0;
    for (const std::string& file : selectedFiles) {
        length += CommandLineLength(QuoteArgument(file)) + 1;
        if (length - 1 >= kMaxCommandLine)
            break;
        ++fitting;
    }
    return fitting;
}

std::string TooLongMessage(std::size_t fitting, std::size_t ticked)
{
    if (fitting == 0)
        return "The command line would be too long for the upload tool even with one map: the map's path "
               "or the mapset name is too long.";
    return "The command line for the " + std::to_string(ticked) +
           " ticked maps would be too long for the upload tool; only the first " + std::to_string(fitting) +
           " of them fit. Untick some maps and send the rest in another run.";
}

} // namespace

#ifdef _WIN32

FoundTools FindTools(const std::string& programFolder)
{
    FoundTools found;
    if (FileExist(programFolder + "\\" + kSendmap))
        found.sendmap = kSendmap;
    if (FileExist(programFolder + "\\" + kSendmap20))
        found.sendmap20 = kSendmap20;
    return found;
}

std::string ToolCommandName(ToolVariant variant, const FoundTools&)
{
    return IsSecond(variant) ? "SENDMAP20.EXE" : "SENDMAP.EXE";
}

#else

namespace {

// The tool's Linux builds carry no ".exe".
constexpr const char* kLinuxSendmap = "sendmap";
constexpr const char* kLinuxSendmap20 = "sendmap20";

// When several spellings lie there, the lower-case one wins, else the first
// in byte order.
void KeepBest(std::optional<std::string>& current, const std::string& candidate, const char* wanted)
{
    if (CompareNoCase(candidate, wanted) != 0)
        return;
    if (!current || candidate == wanted || (*current != wanted && candidate < *current))
        current = candidate;
}

} // namespace

// The names are compared without regard to case; a Linux build wins over a
// Windows program of the same variant, as it needs no Wine.
FoundTools FindTools(const std::string& programFolder)
{
    FoundTools windows, linuxBuilds;
    std::error_code ec;
    for (fs::directory_iterator it(PathFromUtf8(programFolder), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = Utf8FromPath(it->path().filename());
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        KeepBest(windows.sendmap, name, kSendmap);
        KeepBest(windows.sendmap20, name, kSendmap20);
        KeepBest(linuxBuilds.sendmap, name, kLinuxSendmap);
        KeepBest(linuxBuilds.sendmap20, name, kLinuxSendmap20);
    }
    return {linuxBuilds.sendmap ? linuxBuilds.sendmap : windows.sendmap,
            linuxBuilds.sendmap20 ? linuxBuilds.sendmap20 : windows.sendmap20};
}

std::string ToolCommandName(ToolVariant variant, const FoundTools& found)
{
    const std::optional<std::string>& name = IsSecond(variant) ? found.sendmap20 : found.sendmap;
    return name.value_or(IsSecond(variant) ? kSendmap20 : kSendmap);
}

#endif

std::string BuildUploadCommand(const std::string& toolPath, const UploadSettings& settings,
                               const std::list<std::string>& selectedFiles)
{
    const UploadPieces p = SplitUpload(toolPath, settings);
    std::string joined = p.middle;
    for (const std::string& file : selectedFiles)
        joined += QuoteArgument(file) + " ";
    if (!joined.empty())
        joined.pop_back();
    return p.head + joined + p.tail;
}

std::string BuildEraseCommand(const std::string& toolPath, ToolVariant variant, Port port, const std::string& comPort)
{
    return QuoteProgramPath(toolPath) + " " + PortWord(variant, port, comPort) + " -e";
}

std::string MissingToolsMessage(const std::string& programFolder)
{
    return std::string("Sendmap.exe or Sendmap20.exe is not in this folder.\r\nYou can download it from ") +
           kToolDownloadPage + "\r\nFolder searched: " + programFolder;
}

Status CheckProgramFolder(const std::string& programFolder)
{
    if (programFolder.find('"') == std::string::npos)
        return {};
    return Status::Failure("The program's folder " + programFolder +
                           " holds a double quote, which cannot be written on the upload tool's command line. "
                           "Move the program to a folder without one.");
}

Status CheckUploadCommand(const std::string& programFolder, const std::string& toolPath,
                          const UploadSettings& settings, const std::list<std::string>& selectedFiles,
                          ToolRuntime runtime)
{
    if (selectedFiles.empty())
        return Status::Failure("No map is ticked, so there is nothing to send. Tick the maps to send and try again.");
    const bool sendsMapset = IsSecond(settings.variant) && settings.mapsetTicked;
    if (sendsMapset && settings.mapsetName.find('"') != std::string::npos)
        return Status::Failure("The mapset name holds a double quote, which cannot reach the upload tool intact. "
                               "Remove it from the name and try again.");
    if (Status readable = sendsMapset ? CheckMapsetReadable(settings.mapsetName, runtime) : Status(); !readable)
        return readable;
    if (Status folder = CheckProgramFolder(programFolder); !folder)
        return folder;
    const UploadPieces p = SplitUpload(toolPath, settings);
    const std::size_t fitting = FittingMaps(p, selectedFiles);
    if (fitting < selectedFiles.size())
        return Status::Failure(TooLongMessage(fitting, selectedFiles.size()));
    return {};
}

} // namespace mapwren
