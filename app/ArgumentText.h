#pragma once

#include <string>

namespace mapwren {

// Everything after the program's own name on its command line, as one
// unsplit UTF-8 text (a list file path with blanks needs no quotes).
std::string ArgumentText(int argc, char** argv);

} // namespace mapwren
