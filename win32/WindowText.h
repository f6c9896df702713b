#pragma once

#include <windows.h>

#include <string>

#include "common/Encoding.h"

namespace mapwren {

inline std::wstring WindowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Sets a window's text only when it differs, so drawing after every event does not flicker.
inline void SetText(HWND window, const std::string& text)
{
    const std::wstring wide = WideFromUtf8(text);
    if (WindowText(window) != wide)
        SetWindowTextW(window, wide.c_str());
}

} // namespace mapwren
