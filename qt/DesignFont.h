#pragma once

#include <QFont>
#include <QString>

#include "forms/ControlDesign.h"

class QWidget;

namespace mapwren {

// The font the design names, or, where the system lacks it, the closest
// sans-serif of the same size that it has.
QFont DesignFont(const QString& family, qreal pointSize, bool bold = false);

// Gives the widget the design's font, the size kept as designed, then shrinks
// it where the caption would not fit its box (FittedCaptionPoints).
void SetDesignFont(QWidget* widget, const FontDesign& design);
// Fits the widget's caption again after its text changed: from the design's
// size, as small as it must be.
void FitCaption(QWidget* widget);

inline QFont SansSerif825(bool bold = false) { return DesignFont(QStringLiteral("MS Sans Serif"), 8.25, bold); }
inline QFont Verdana(qreal pointSize, bool bold = false) { return DesignFont(QStringLiteral("Verdana"), pointSize, bold); }

} // namespace mapwren
