#include "win32/DesignLook.h"

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

} // namespace mapwren
