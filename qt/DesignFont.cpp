#include "qt/DesignFont.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>

#include "qt/Text.h"

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

const char* const kDesignPoints = "designPoints";

// A caption as drawn: an access key's marker is not.
QString Shown(QString caption)
{
    caption.replace(QLatin1String("&&"), QLatin1String("\x01"));
    caption.remove(QLatin1Char('&'));
    return caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// Whether the widget's caption fits, in this font, the part of the widget
// its style draws the caption in.
bool CaptionFits(const QWidget* widget, const QFont& font)
{
    const QFontMetrics metrics(font);
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        const QRect box = label->contentsRect();
        if (!label->wordWrap())
            return metrics.horizontalAdvance(label->text()) <= box.width();
        const QRect needed =
            metrics.boundingRect(QRect(0, 0, box.width(), 1 << 16), int(label->alignment()) | Qt::TextWordWrap,
                                 label->text());
        return needed.width() <= box.width() && needed.height() <= box.height();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QStyle::SubElement contents = qobject_cast<const QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                                            : qobject_cast<const QCheckBox*>(button)  ? QStyle::SE_CheckBoxContents
                                                                                      : QStyle::SE_PushButtonContents;
        return metrics.horizontalAdvance(Shown(button->text())) <= button->style()->subElementRect(contents, &option, button).width();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
        return metrics.horizontalAdvance(Shown(frame->title())) <= frame->width();
    if (const auto* box = qobject_cast<const QLineEdit*>(widget)) {
        constexpr int kLineEditMargins = 2 * 2;   // QLineEdit's own, beside its text
        return metrics.horizontalAdvance(box->text()) + kLineEditMargins <= box->contentsRect().width();
    }
    return true;
}

} // namespace

void SetDesignFont(QWidget* widget, const FontDesign& design)
{
    widget->setFont(DesignFont(Text(design.family), design.points, design.bold));
    widget->setProperty(kDesignPoints, design.points);
    FitCaption(widget);
}

void FitCaption(QWidget* widget)
{
    const QVariant designPoints = widget->property(kDesignPoints);
    if (!designPoints.isValid())
        return;
    QFont font = widget->font();
    const double points = FittedCaptionPoints(designPoints.toDouble(), [&](double size) {
        font.setPointSizeF(size);
        return CaptionFits(widget, font);
    });
    font.setPointSizeF(points);
    if (font != widget->font())
        widget->setFont(font);
}

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
