#include "common/Encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

namespace mapwren {

namespace {

// Code points of Windows-1252 bytes 0x80 to 0x9F; 0x81, 0x8D, 0x8F, 0x90 and
// 0x9D are undefined there and keep their own value.
constexpr std::array<char16_t, 32> kHigh1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Length of the well-formed UTF-8 sequence at text[i], 0 when there is none
// (stray continuation byte, overlong form, surrogate, beyond U+10FFFF).
std::size_t SequenceLength(std::string_view text, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[k]); };
    const std::uint8_t lead = byte(i);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    std::uint8_t low = 0x80, high = 0xBF;   // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    return length;
}

// A name is short (50 bytes), so the copy costs nothing worth saving.
std::string NulAsBlank(std::string_view bytes)
{
    std::string out(bytes);
    std::replace(out.begin(), out.end(), '\0', ' ');
    return out;
}

} // namespace

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = SequenceLength(text, i);
        if (n == 0)
            return false;
        i += n;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        AppendUtf8(out, (b >= 0x80 && b <= 0x9F) ? kHigh1252[b - 0x80] : char32_t{b});
    }
    return out;
}

#ifdef _WIN32

namespace {

std::wstring WideFrom(UINT codePage, std::string_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(n > 0 ? n : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), n);
    return wide;
}

std::string AnsiToUtf8(std::string_view bytes) { return Utf8FromWide(WideFrom(CP_ACP, bytes)); }

} // namespace

std::wstring WideFromUtf8(std::string_view text) { return WideFrom(CP_UTF8, text); }

std::string Utf8FromWide(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

std::string SystemMessage(unsigned long error)
{
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = n ? Utf8FromWide(std::wstring_view(buffer, n)) : "error " + std::to_string(error);
    LocalFree(buffer);
    // The sentence follows a name of the program it is about ("... could not be started:").
    for (std::size_t at = text.find("%1"); at != std::string::npos; at = text.find("%1", at))
        text.replace(at, 2, "it");
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == '.' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::string HeaderBytesToUtf8(std::string_view bytes) { return AnsiToUtf8(NulAsBlank(bytes)); }

ListFileDecoder::ListFileDecoder(std::string_view) {}

std::string ListFileDecoder::operator()(std::string_view line) const { return AnsiToUtf8(line); }

namespace {

// False when a character has no byte of its own in the code page (no best-fit
// look-alikes: "Ł" must not quietly become "L" in a path).
bool Utf8ToCodePage(UINT codePage, std::string_view text, std::string& bytes)
{
    bytes.clear();
    if (!IsValidUtf8(text))
        return false;
    // A code page that is UTF-8 takes the text as it is (and refuses the
    // flags below).
    if (text.empty() || codePage == CP_UTF8) {
        bytes = text;
        return true;
    }
    const std::wstring wide = WideFromUtf8(text);
    const int size = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, nullptr,
                                      &usedDefault);
    if (n <= 0 || usedDefault)
        return false;
    bytes.assign(n, '\0');
    WideCharToMultiByte(codePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes.data(), n, nullptr, &usedDefault);
    return !usedDefault;
}

} // namespace

bool Utf8ToListFileBytes(std::string_view text, std::string& bytes) { return Utf8ToCodePage(GetACP(), text, bytes); }

// Plain ASCII, most paths, needs no conversion to tell.
bool ToolCanRead(std::string_view text)
{
    std::string bytes;
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }) ||
           Utf8ToCodePage(GetACP(), text, bytes);
}

bool Utf8ToBatchFileBytes(std::string_view text, std::string& bytes)
{
    return Utf8ToCodePage(GetOEMCP(), text, bytes);
}

#else

std::string HeaderBytesToUtf8(std::string_view bytes)
{
    // Most names are plain ASCII: copied once, at their own size.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return c != 0 && static_cast<unsigned char>(c) < 0x80; }))
        return std::string(bytes);
    return Windows1252ToUtf8(NulAsBlank(bytes));
}

ListFileDecoder::ListFileDecoder(std::string_view wholeFile) : asIs_(IsValidUtf8(wholeFile)) {}

std::string ListFileDecoder::operator()(std::string_view line) const
{
    return asIs_ ? std::string(line) : Windows1252ToUtf8(line);
}

bool Utf8ToListFileBytes(std::string_view text, std::string& bytes)
{
    bytes = text;
    return IsValidUtf8(text);
}

bool ToolCanRead(std::string_view) { return true; }

#endif

std::string ListFileBytesToUtf8(std::string_view bytes) { return ListFileDecoder(bytes)(bytes); }

std::string Utf8FromCodePoint(char32_t cp)
{
    std::string out;
    AppendUtf8(out, cp);
    return out;
}

std::vector<std::string> CharactersToolCannotRead(std::string_view text, bool (*canRead)(std::string_view))
{
    std::vector<std::string> unreadable;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = std::max<std::size_t>(SequenceLength(text, i), 1);   // a stray byte alone
        const std::string character(text.substr(i, n));
        if (!canRead(character) && std::find(unreadable.begin(), unreadable.end(), character) == unreadable.end())
            unreadable.push_back(character);
        i += n;
    }
    return unreadable;
}

} // namespace mapwren
