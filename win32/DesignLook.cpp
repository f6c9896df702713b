#include "win32/DesignLook.h"

#include <commctrl.h>

#include <cmath>

#include "common/Encoding.h"

namespace mapwren {

HFONT CreateDesignFont(const FontDesign& design, UINT dpi)
{
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(design.points * dpi / 72.0));
    font.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    const std::wstring family = WideFromUtf8(design.family);
    family.copy(font.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&font);
}

COLORREF DesignColour(TextColour colour)
{
    switch (colour) {
    case TextColour::Black: return RGB(0, 0, 0);
    case TextColour::Red: return RGB(255, 0, 0);
    case TextColour::Blue: return RGB(0, 0, 255);
    case TextColour::Green: return RGB(0, 128, 0);
    case TextColour::System: break;
    }
    return GetSysColor(COLOR_WINDOWTEXT);
}

NativeKind NativeKindOf(const ControlDesign& design)
{
    switch (design.kind) {
    case ControlKind::CommandButton:
    case ControlKind::PictureButton: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::Frame: return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::OptionButton: return {L"BUTTON", BS_RADIOBUTTON, 0};
    case ControlKind::CheckBox: return {L"BUTTON", BS_3STATE | WS_TABSTOP, 0};
    case ControlKind::ComboBox: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::TextBox: return {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::Label: {
        const DWORD align = design.align == TextAlign::Right    ? SS_RIGHT
                            : design.align == TextAlign::Centre ? SS_CENTER
                                                                : SS_LEFT;
        // Only a caption with an access key reads "&" as one; a path shows it as it is.
        return {L"STATIC", align | (design.caption.find('&') == std::string_view::npos ? DWORD{SS_NOPREFIX} : 0), 0};
    }
    case ControlKind::PictureBox: return {L"STATIC", SS_LEFT, 0};
    case ControlKind::Grid:
        return {WC_LISTVIEWW, LVS_REPORT | LVS_OWNERDATA | LVS_OWNERDRAWFIXED | LVS_SINGLESEL | WS_TABSTOP,
                WS_EX_CLIENTEDGE};
    case ControlKind::ProgressBar: return {PROGRESS_CLASSW, 0, 0};
    }
    return {L"STATIC", 0, 0};
}

} // namespace mapwren
