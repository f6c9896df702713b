#include "app/ArgumentText.h"

#ifdef _WIN32
#include <windows.h>

#include "common/Paths.h"
#endif

namespace mapwren {

#ifdef _WIN32

// The raw command line keeps the user's quotes; the program name is skipped
// as the C runtime reads it (quoted or up to the first blank).
std::string ArgumentText(int, char**)
{
    const wchar_t* p = GetCommandLineW();
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"')
            ++p;
        if (*p)
            ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t')
            ++p;
    }
    while (*p == L' ' || *p == L'\t')
        ++p;
    return Utf8FromPath(std::filesystem::path(std::wstring(p)));
}

#else

// The shell has already split the line; joining with single blanks gives
// back the text for the usual case of one path.
std::string ArgumentText(int argc, char** argv)
{
    std::string text;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            text += ' ';
        text += argv[i];
    }
    return text;
}

#endif

} // namespace mapwren
