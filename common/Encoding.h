#pragma once

#include <string>
#include <string_view>
#include <vector>

// Map headers and list files hold single-byte text; inside the program all
// text is UTF-8.
namespace mapwren {

// Header name bytes: the ANSI code page on Windows, Windows-1252 elsewhere;
// a NUL byte (filler in some headers) reads as a blank.
std::string HeaderBytesToUtf8(std::string_view bytes);

// List file bytes: the ANSI code page on Windows, UTF-8 elsewhere (text that
// is not valid UTF-8 reads as Windows-1252, so a list written on Windows
// still reads).
std::string ListFileBytesToUtf8(std::string_view bytes);

// The same, one line at a time, in the encoding chosen once for the whole
// file (so a list is never read as a mixture of two).
class ListFileDecoder {
public:
    explicit ListFileDecoder(std::string_view wholeFile);
    std::string operator()(std::string_view line) const;

private:
    bool asIs_ = false;
};

// False when the text holds a character the list file's code page cannot hold
// (or is not valid UTF-8); bytes is then left unspecified.
bool Utf8ToListFileBytes(std::string_view text, std::string& bytes);

bool IsValidUtf8(std::string_view text);

// Whether the upload tool reads text on its command line as it was written.
// On Windows it reads the line in the ANSI code page, where a character the
// code page lacks arrives as "?"; elsewhere the line is bytes and reaches it
// as they are.
bool ToolCanRead(std::string_view text);
// The characters of text the tool cannot read, each once, in order.
std::vector<std::string> CharactersToolCannotRead(std::string_view text,
                                                  bool (*canRead)(std::string_view) = ToolCanRead);

// One character of the Basic Multilingual Plane (below U+10000) as UTF-8.
std::string Utf8FromCodePoint(char32_t cp);

// Windows-1252 bytes as UTF-8; the five bytes the code page leaves undefined
// keep their own code points.
std::string Windows1252ToUtf8(std::string_view bytes);

#ifdef _WIN32
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// The system's own wording of an error code, without its closing period and
// line end, the program it names called "it"; "error N" when the system has
// none.
std::string SystemMessage(unsigned long error);

// Batch file bytes: the console's (OEM) code page, in which the command
// interpreter reads a batch file; false as for list files.
bool Utf8ToBatchFileBytes(std::string_view text, std::string& bytes);
#endif

} // namespace mapwren
