// The About window as a person sees it: texts, colours, fonts, places.
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "AboutTests.h"
#include "app/Twips.h"
#include "common/Addresses.h"

namespace mapwren::testing {

namespace {

const QColor kSheet{255, 255, 192};

QWidget* Control(frmAbout* about, const QString& name) { return about->findChild<QWidget*>(name); }

QString TextOf(QWidget* control)
{
    if (auto* box = qobject_cast<QLineEdit*>(control))
        return box->text();
    return static_cast<QLabel*>(control)->text();
}

Qt::Alignment HorizontalAlignment(QWidget* control)
{
    if (auto* box = qobject_cast<QLineEdit*>(control))
        return box->alignment() & Qt::AlignHorizontal_Mask;
    return static_cast<QLabel*>(control)->alignment() & Qt::AlignHorizontal_Mask;
}

// Columns of the image holding anything but the sheet's colour.
std::pair<int, int> InkColumns(const QImage& image)
{
    int first = image.width(), last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != kSheet) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

class AboutDesignTest : public QObject {
    Q_OBJECT
private slots:
    void WindowIsABorderlessFixedSheet()
    {
        OpenedAbout opened;
        frmAbout* about = opened.about;
        QVERIFY(about->isWindow());
        QVERIFY(about->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(about->windowTitle(), QStringLiteral("About mapwren"));
        QVERIFY(!about->windowIcon().isNull());
        QCOMPARE(about->size(), QSize(357, 208));   // 5355 x 3120 twips
        QCOMPARE(about->minimumSize(), about->maximumSize());
        QVERIFY(!static_cast<QLabel*>(Control(about, "picIcon"))->pixmap().isNull());
    }

    void ControlsShowTheirDesign_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QRect>("twips");
        const QColor black(0, 0, 0), blue(0, 0, 255), red(255, 0, 0), green(0, 128, 0);
        const int left = Qt::AlignLeft, centre = Qt::AlignHCenter, right = Qt::AlignRight;
        QTest::newRow("lblDescription")
            << "Transfer Garmin Mapsource .img files directly to your GPS without the need for Garmin Mapsource "
               "software."
            << black << 8.25 << true << centre << QRect(120, 1320, 5085, 450);
        QTest::newRow("lblTitle") << "MAPWREN" << black << 13.5 << true << left << QRect(1320, 120, 1440, 360);
        QTest::newRow("lblVersion") << "v1.96" << blue << 8.25 << true << centre << QRect(2760, 240, 570, 225);
        QTest::newRow("Label1") << "By Tobrenn - June 2004" << black << 8.25 << true << centre
                                << QRect(1440, 720, 2535, 255);
        QTest::newRow("Label2") << "Email me if you have any questions." << black << 8.25 << false << right
                                << QRect(120, 2640, 2655, 255);
        QTest::newRow("txtURL") << kHomepage << blue << 8.25 << false << centre << QRect(720, 2160, 3855, 285);
        QTest::newRow("txtEmail") << kAuthorEmail << blue << 8.25 << false << left << QRect(2880, 2610, 2475, 285);
        QTest::newRow("Label5") << "updated 7th Sept 2005" << red << 8.25 << false << right
                                << QRect(3360, 240, 1815, 255);
        QTest::newRow("Label4") << "Click on the link below to go to the MAPWREN homepage:" << green << 8.25
                                << false << centre << QRect(120, 1920, 5055, 255);
    }

    void ControlsShowTheirDesign()
    {
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        QFETCH(int, alignment);
        QFETCH(QRect, twips);
        OpenedAbout opened;
        QWidget* control = Control(opened.about, QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(control);
        QCOMPARE(TextOf(control), text);
        QCOMPARE(control->palette().color(control->foregroundRole()), colour);
        QCOMPARE(control->font().pointSizeF(), points);
        QCOMPARE(control->font().bold(), bold);
        QCOMPARE(int(HorizontalAlignment(control)), alignment);
        QCOMPARE(control->geometry(), TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    }

    // Nothing is cut off: single-line captions fit their width, the
    // description its two lines, and each address shows whole in its box.
    void EveryTextShowsWhole()
    {
        OpenedAbout opened;
        for (QLabel* label : opened.about->findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            const int needed = label->wordWrap() ? label->heightForWidth(label->width())
                                                 : label->fontMetrics().horizontalAdvance(label->text());
            QVERIFY2(needed <= (label->wordWrap() ? label->height() : label->width()), qPrintable(label->objectName()));
        }
        for (QLineEdit* box : opened.about->findChildren<QLineEdit*>()) {
            const auto [first, last] = InkColumns(box->grab().toImage());
            QVERIFY2(last - first + 3 >= box->fontMetrics().horizontalAdvance(box->text()), qPrintable(box->objectName()));
            QVERIFY2(first > 0 && last < box->width() - 1, qPrintable(box->objectName()));
        }
    }

    // The window and every control read as one pale yellow sheet.
    void BackgroundIsOneSheet()
    {
        OpenedAbout opened;
        const QImage image = opened.about->grab().toImage();
        QCOMPARE(image.pixelColor(4, 4), kSheet);
        for (QWidget* control : opened.about->findChildren<QWidget*>())
            QVERIFY2(image.pixelColor(control->geometry().topLeft() + QPoint(1, 1)) == kSheet,
                     qPrintable(control->objectName()));
    }
};

} // namespace

std::unique_ptr<QObject> MakeAboutDesignTest() { return std::make_unique<AboutDesignTest>(); }

} // namespace mapwren::testing

#include "AboutDesignTest.moc"
