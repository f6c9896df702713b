#include "tool/ToolText.h"

#include "common/Encoding.h"

namespace mapwren {

Status CheckMapsetReadable(const std::string& name)
{
    const std::vector<std::string> characters = CharactersToolCannotRead(name);
    if (characters.empty())
        return {};
    std::string listed;
    for (const std::string& character : characters)
        listed += (listed.empty() ? "" : " ") + character;
    return Status::Failure("The mapset name " + name + " holds characters that would reach the upload tool as "
                           "\"?\", as the system's code page lacks them: " + listed +
                           ". Remove them from the name and try again.");
}

} // namespace mapwren
