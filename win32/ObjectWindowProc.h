#pragma once

#include <windows.h>

namespace mapwren {

// The window procedure of a window made for an object (handed to
// CreateWindowEx as its creation parameter): each message goes to the
// object's OnMessage, and the object hears of its window's birth and end
// through Attach.
template <class Owner>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        owner->Attach(window);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!owner)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        owner->Attach(nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return owner->OnMessage(message, wParam, lParam);
}

// Registers, once, the window class whose windows are made for Owner objects.
template <class Owner>
void RegisterObjectWindowClass(const wchar_t* name, HBRUSH background = nullptr, HICON icon = nullptr,
                               HICON smallIcon = nullptr)
{
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &type))
        return;
    type.lpfnWndProc = &ObjectWindowProc<Owner>;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = background;
    type.hIcon = icon;
    type.hIconSm = smallIcon;
    type.lpszClassName = name;
    RegisterClassExW(&type);
}

} // namespace mapwren
