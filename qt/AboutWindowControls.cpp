// The About window's widgets, built from its design table.
#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>

#include "about/frmAboutDesign.h"
#include "qt/DesignFont.h"
#include "qt/Palette.h"
#include "qt/Text.h"
#include "qt/Twips.h"
#include "qt/AboutWindow.h"

namespace mapwren {

namespace {

QColor Colour(Rgb rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// The system's text colour, unless a dark theme makes it too light to read on
// the pale sheet, which stays pale whatever the theme.
QColor TextColourOf(TextColour colour)
{
    if (colour != TextColour::System)
        return DesignColour(colour);
    const QColor system = QApplication::palette().color(QPalette::WindowText);
    return system.lightness() < 128 ? system : QColor(0, 0, 0);
}

void Paint(QWidget* widget, const QColor& background, const QColor& text)
{
    QPalette palette = widget->palette();
    for (auto role : {QPalette::Window, QPalette::Base})
        palette.setColor(role, background);
    for (auto role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, text);
    widget->setPalette(palette);
}

Qt::Alignment Horizontal(TextAlign align)
{
    switch (align) {
    case TextAlign::Centre: return Qt::AlignHCenter;
    case TextAlign::Right: return Qt::AlignRight;
    case TextAlign::Left: break;
    }
    return Qt::AlignLeft;
}

QWidget* MakeControl(const ControlDesign& design, QWidget* form, const QIcon& icon)
{
    QWidget* widget = nullptr;
    if (design.kind == ControlKind::TextBox) {
        auto* box = new QLineEdit(Text(design.caption), form);
        box->setReadOnly(design.locked);
        box->setFrame(!design.borderless);
        box->setAlignment(Horizontal(design.align));
        box->setCursorPosition(0);
        if (design.link) {
            box->setContextMenuPolicy(Qt::NoContextMenu);
            box->setCursor(Qt::PointingHandCursor);
        }
        widget = box;
    } else {
        auto* label = new QLabel(form);
        label->setTextFormat(Qt::PlainText);
        label->setText(Text(design.caption));
        label->setAlignment(Horizontal(design.align) | Qt::AlignTop);
        label->setWordWrap(true);
        if (design.kind == ControlKind::PictureBox) {
            label->setPixmap(icon.pixmap(QSize(design.pictureWidth, design.pictureHeight)));
            label->setFocusPolicy(Qt::StrongFocus);
        }
        widget = label;
    }
    widget->setObjectName(Text(design.name));
    widget->setGeometry(TwipsRect(design.place.left, design.place.top, design.place.width, design.place.height));
    SetDesignFont(widget, design.font);
    Paint(widget, Colour(frmAboutForm().background), TextColourOf(design.colour));
    return widget;
}

} // namespace

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    const FormDesign& design = frmAboutForm();
    if (!design.titleBar)
        setWindowFlag(Qt::FramelessWindowHint);
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Text(design.caption));
    const QIcon icon(QStringLiteral(":/%1.svg").arg(Text(design.icon)));
    setWindowIcon(icon);
    setFixedSize(Px(design.width), Px(design.height));
    setFont(SansSerif825());
    Paint(this, Colour(design.background), TextColourOf(TextColour::System));

    // The labels between them in the tab order never take the focus.
    QWidget* previous = nullptr;
    for (const ControlDesign& control : frmAboutControls()) {
        QWidget* widget = MakeControl(control, this, icon);
        widget->installEventFilter(this);
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
    }
}

} // namespace mapwren
