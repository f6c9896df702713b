#include "qt/DesignFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace mapwren {

namespace {

// Families whose letters are about as wide as the named one, so captions
// keep fitting their controls: Arial's metrics for MS Sans Serif, the Vera
// family (DejaVu) for Verdana.
QStringList CloseFamilies(const QString& family)
{
    if (family == QLatin1String("MS Sans Serif"))
        return {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica")};
    if (family == QLatin1String("Verdana"))
        return {QStringLiteral("DejaVu Sans"), QStringLiteral("Bitstream Vera Sans")};
    return {};
}

} // namespace

QFont DesignFont(const QString& family, qreal pointSize, bool bold)
{
    const QStringList installed = QFontDatabase::families();
    QStringList candidates{family};
    candidates += CloseFamilies(family);
    QFont font;
    font.setStyleHint(QFont::SansSerif);
    font.setFamily(QStringLiteral("Sans Serif"));
    for (const QString& candidate : candidates) {
        if (installed.contains(candidate, Qt::CaseInsensitive)) {
            font.setFamily(candidate);
            break;
        }
    }
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace mapwren
