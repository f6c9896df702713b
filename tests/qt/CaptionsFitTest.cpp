// With DejaVu Sans as the only font, as on a Linux system without the
// Liberation fonts, every control of the main window and the About window
// stands where the design puts it, and its caption still fits it, in a size
// no smaller than captions may shrink to; so do the port names and sizes.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTest>
#include <cstdlib>
#include <fstream>

#include "about/frmAboutDesign.h"
#include "app/frmMainDesign.h"
#include "qt/AboutWindow.h"
#include "qt/DesignFont.h"
#include "qt/Text.h"
#include "qt/Twips.h"
#include "tests/qt/StartedWindow.h"

namespace mapwren {

namespace {

// The caption as drawn and the width it has there; no caption: empty.
std::pair<QString, int> CaptionAndRoom(const QWidget* control)
{
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const auto part = qobject_cast<const QRadioButton*>(button) ? QStyle::SE_RadioButtonContents
                          : qobject_cast<const QCheckBox*>(button)  ? QStyle::SE_CheckBoxContents
                                                                    : QStyle::SE_PushButtonContents;
        return {QString(button->text()).remove(QLatin1Char('&')), button->style()->subElementRect(part, &option, button).width()};
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(control))
        return {frame->title(), frame->width()};
    if (const auto* box = qobject_cast<const QLineEdit*>(control))
        return {box->text(), box->contentsRect().width() - 4};
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return {label->text(), label->contentsRect().width()};
    return {};
}

// Whether the caption reads whole: on one line, or, where the control wraps it, on the lines its height holds.
bool Fits(const QWidget* control)
{
    const auto [caption, room] = CaptionAndRoom(control);
    if (caption.isEmpty())
        return true;
    const QFontMetrics metrics(control->font());
    const auto* label = qobject_cast<const QLabel*>(control);
    if (!label || !label->wordWrap())
        return metrics.horizontalAdvance(caption) <= room;
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, room, 1 << 16), Qt::TextWordWrap, caption);
    return wrapped.width() <= room && wrapped.height() <= label->contentsRect().height();
}

} // namespace

class CaptionsFitTest : public QObject {
    Q_OBJECT
private slots:
    void TheDesignsFontsAreDrawnWithDejaVuSans()
    {
        for (const char* family : {"MS Sans Serif", "Verdana", "Arial"})
            QCOMPARE(QFontInfo(DesignFont(QString::fromLatin1(family), 8.25)).family(), QStringLiteral("DejaVu Sans"));
    }

    void EveryControlOfBothWindowsStandsWhereDesignedWithItsCaptionFitting()
    {
        StartedWindow s;
        testing::WriteImg(s.maps.path() / "a.img", "Alpha", "", 0, 2411724800);   // the Bytes column widened
        s.Start({"a.img"});
        s.form->MenuClick("mnuAbout");
        auto* about = s.window->findChild<QWidget*>(QStringLiteral("frmAbout"));
        QVERIFY(about);
        QCOMPARE(s.window->centralWidget()->size(), QSize(Px(kMainClientWidth), Px(kMainClientHeight)));
        const auto all = [](auto designs) { return std::vector<ControlDesign>(designs.begin(), designs.end()); };
        const std::pair<QWidget*, std::vector<ControlDesign>> windows[] = {
            {s.window.get(), all(frmMainControls())}, {about, all(frmAboutControls())}};
        for (const auto& [window, designs] : windows) {
            for (const ControlDesign& design : designs) {
                const QWidget* control = window->findChild<QWidget*>(Text(design.name));
                QVERIFY2(control, design.name.data());
                QCOMPARE(control->geometry(), TwipsRect(design.place.left, design.place.top, design.place.width, design.place.height));
                if (window == s.window.get())
                    QCOMPARE(control->toolTip(), Text(s.form->Control(design.name)->toolTip));
                QCOMPARE(CaptionAndRoom(control).first, Text(design.caption).remove(QLatin1Char('&')));   // as designed
                QVERIFY2(Fits(control), design.name.data());
                QVERIFY2(QFontInfo(control->font()).pointSizeF() >= kSmallestCaptionPoints, design.name.data());
            }
        }
        // Every port name reads whole in the closed COM box.
        auto* box = static_cast<QComboBox*>(s.window->Widget("cboCOM"));
        QStyleOptionComboBox option;
        option.initFrom(box);
        const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
        for (int i = 0; i < box->count(); ++i)
            QVERIFY(box->fontMetrics().horizontalAdvance(box->itemText(i)) + 2 <= field.width());
        // A size too long for the Bytes column widens it rather than lose digits.
        QTableView* grid = s.window->Grid();
        QVERIFY(grid->fontMetrics().horizontalAdvance(QStringLiteral("2411724800")) + 6 <= grid->columnWidth(4));
    }

    // Their texts are outlines, which no font changes: with DejaVu Sans, wider than Arial, a text overlapped the arrow.
    void ThePicturesOfUploadAndCreateFileHoldNoFontText()
    {
        for (const char* picture : {":/upload.svg", ":/createfile.svg"}) {
            QFile file(QString::fromLatin1(picture));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(!file.readAll().contains("<text"), picture);
        }
    }
};

} // namespace mapwren

// Before the application starts, a font configuration offering DejaVu Sans alone.
int main(int argc, char** argv)
{
    mapwren::testing::TempDir fonts;
    for (const char* face : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"})
        std::filesystem::create_symlink(std::filesystem::path("/usr/share/fonts/truetype/dejavu") / face, fonts.path() / face);
    const std::filesystem::path config = fonts.path() / "fonts.conf";
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig>\n  <dir>" << fonts.path().string()
                          << "</dir>\n  <cachedir>" << (fonts.path() / "cache").string() << "</cachedir>\n</fontconfig>\n";
    setenv("FONTCONFIG_FILE", config.c_str(), 1);
    QApplication application(argc, argv);
    mapwren::CaptionsFitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CaptionsFitTest.moc"
