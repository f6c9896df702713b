#include "qt/Palette.h"

#include <QApplication>
#include <QPalette>

namespace mapwren {

// Qt's Windows palette puts COLOR_MENU in the menu palette's window colour
// and COLOR_3DLIGHT in the midlight colour; other platforms give their own
// nearest colours there.
QColor MenuColour() { return QApplication::palette("QMenu").color(QPalette::Active, QPalette::Window); }

QColor Light3DColour() { return QApplication::palette().color(QPalette::Active, QPalette::Midlight); }

QColor DesignColour(TextColour colour)
{
    switch (colour) {
    case TextColour::Black: return QColor(0, 0, 0);
    case TextColour::Red: return QColor(255, 0, 0);
    case TextColour::Blue: return QColor(0, 0, 255);
    case TextColour::Green: return QColor(0, 128, 0);
    case TextColour::System: break;
    }
    return {};
}

} // namespace mapwren
