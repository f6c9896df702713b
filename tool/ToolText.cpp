#include "tool/ToolText.h"

#include "common/Encoding.h"

namespace mapwren {

Status CheckMapsetReadable(const std::string& name, ToolRuntime runtime)
{
    const std::vector<std::string> characters = CharactersToolCannotRead(
        name, runtime == ToolRuntime::Wine ? +[](std::string_view c) { return ToolReads(c, ToolRuntime::Wine); }
                                           : ToolCanRead);
    if (characters.empty())
        return {};
    std::string listed;
    for (const std::string& character : characters)
        listed += (listed.empty() ? "" : " ") + character;
    return Status::Failure("The mapset name " + name + " holds characters that would reach the upload tool as "
                           "\"?\", as " + std::string(runtime == ToolRuntime::Wine ? "Wine's" : "the system's") +
                           " code page lacks them: " + listed +
                           ". Remove them from the name and try again.");
}

} // namespace mapwren
