// The About window as designed: places, texts, fonts, colours, tab order.
#include "about/frmAbout.h"

#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>

#include "qt/DesignFont.h"
#include "qt/Twips.h"
#include "common/Addresses.h"

namespace mapwren {

namespace {

constexpr int kInnerWidth = 5355;
constexpr int kInnerHeight = 3120;

const QColor kSheet{255, 255, 192};
const QColor kBlack{0, 0, 0};
const QColor kBlue{0, 0, 255};
const QColor kRed{255, 0, 0};
const QColor kGreen{0, 128, 0};

enum class Face { Regular, Bold, Title };

QFont FontOf(Face face)
{
    if (face == Face::Title)
        return DesignFont(QStringLiteral("MS Sans Serif"), 13.5, true);
    return SansSerif825(face == Face::Bold);
}

// The system's text colour, unless a dark theme makes it too light to read on
// the pale yellow sheet, which stays pale whatever the theme.
QColor DefaultTextColour()
{
    const QColor system = QApplication::palette().color(QPalette::WindowText);
    return system.lightness() < 128 ? system : kBlack;
}

void Colour(QWidget* control, const QColor& text)
{
    QPalette palette = control->palette();
    for (auto role : {QPalette::Window, QPalette::Base})
        palette.setColor(role, kSheet);
    for (auto role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, text);
    control->setPalette(palette);
}

struct LabelDesign {
    QLabel* frmAbout::*control;
    const char* name;
    QString text;
    QColor colour;   // invalid: the default text colour
    Face face;
    Qt::Alignment alignment;
    QRect twips;
};

QList<LabelDesign> LabelDesigns()
{
    // lblTitle reaches to the version and Label2 to the window's left margin:
    // with a fallback font their captions are wider than the design's boxes.
    return {
        {&frmAbout::lblDescription, "lblDescription",
         QStringLiteral("Transfer Garmin Mapsource .img files directly to your GPS without the need for Garmin "
                        "Mapsource software."),
         kBlack, Face::Bold, Qt::AlignHCenter, {120, 1320, 5085, 450}},
        {&frmAbout::lblTitle, "lblTitle", QStringLiteral("MAPWREN"), kBlack, Face::Title, Qt::AlignLeft,
         {1320, 120, 1440, 360}},
        {&frmAbout::lblVersion, "lblVersion", QString::fromLatin1(kVersion), kBlue, Face::Bold, Qt::AlignHCenter,
         {2760, 240, 570, 225}},
        {&frmAbout::Label1, "Label1", QStringLiteral("By Tobrenn - June 2004"), {}, Face::Bold, Qt::AlignHCenter,
         {1440, 720, 2535, 255}},
        {&frmAbout::Label2, "Label2", QStringLiteral("Email me if you have any questions."), {}, Face::Regular,
         Qt::AlignRight, {120, 2640, 2655, 255}},
        {&frmAbout::Label5, "Label5", QStringLiteral("updated 7th Sept 2005"), kRed, Face::Regular, Qt::AlignRight,
         {3360, 240, 1815, 255}},
        {&frmAbout::Label4, "Label4", QStringLiteral("Click on the link below to go to the MAPWREN homepage:"), kGreen,
         Face::Regular, Qt::AlignHCenter, {120, 1920, 5055, 255}},
    };
}

QRect Pixels(const QRect& twips) { return TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()); }

// A read-only, borderless address box that reads as part of the sheet.
QLineEdit* AddressBox(QWidget* parent, const char* name, const char* address, Qt::Alignment alignment,
                      const QRect& twips)
{
    auto* box = new QLineEdit(QString::fromUtf8(address), parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(Pixels(twips));
    box->setReadOnly(true);
    box->setFrame(false);
    box->setAlignment(alignment);
    box->setCursorPosition(0);
    Colour(box, kBlue);
    return box;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About mapwren"));
    setWindowIcon(QIcon(QStringLiteral(":/icon.svg")));
    setFixedSize(Px(kInnerWidth), Px(kInnerHeight));
    setFont(SansSerif825());
    Colour(this, DefaultTextColour());
    CreateControls();
    SetTabOrder();
    WatchControls();
}

void frmAbout::CreateControls()
{
    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(Pixels({120, 120, 960, 960}));
    picIcon->setPixmap(windowIcon().pixmap(QSize(64, 64)));
    picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picIcon->setFocusPolicy(Qt::StrongFocus);

    for (const LabelDesign& design : LabelDesigns()) {
        auto* label = new QLabel(design.text, this);
        label->setObjectName(QLatin1String(design.name));
        label->setTextFormat(Qt::PlainText);
        label->setGeometry(Pixels(design.twips));
        label->setFont(FontOf(design.face));
        label->setAlignment(design.alignment | Qt::AlignTop);
        label->setWordWrap(design.control == &frmAbout::lblDescription);
        if (design.colour.isValid())
            Colour(label, design.colour);
        this->*design.control = label;
    }

    // The e-mail box reaches to the window's edge, so the whole address shows.
    txtURL = AddressBox(this, "txtURL", kHomepage, Qt::AlignHCenter, {720, 2160, 3855, 285});
    txtEmail = AddressBox(this, "txtEmail", kAuthorEmail, Qt::AlignLeft, {2880, 2610, 2475, 285});
    txtURL->setContextMenuPolicy(Qt::NoContextMenu);
    txtURL->setCursor(Qt::PointingHandCursor);
}

// Only the icon and the two address boxes take the focus; the labels between
// them in the design's order never do.
void frmAbout::SetTabOrder()
{
    setTabOrder(picIcon, txtURL);
    setTabOrder(txtURL, txtEmail);
}

} // namespace mapwren
