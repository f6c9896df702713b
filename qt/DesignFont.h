#pragma once

#include <QFont>
#include <QString>

namespace mapwren {

// The font the design names, or, where the system lacks it, the closest
// sans-serif of the same size that it has.
QFont DesignFont(const QString& family, qreal pointSize, bool bold = false);

inline QFont SansSerif825(bool bold = false) { return DesignFont(QStringLiteral("MS Sans Serif"), 8.25, bold); }
inline QFont Verdana(qreal pointSize, bool bold = false) { return DesignFont(QStringLiteral("Verdana"), pointSize, bold); }

} // namespace mapwren
