// The About window as a person meets it: what it shows, where it opens, and
// what clicks and keys do to it.
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "about/frmAbout.h"
#include "qt/Twips.h"
#include "common/Addresses.h"

namespace mapwren {

namespace {

const QColor kSheet{255, 255, 192}, kBlack{0, 0, 0}, kBlue{0, 0, 255};
const QString kEmail = QString::fromUtf8(kAuthorEmail);

// A shown stand-in for the main window, with its About window open.
struct Opened {
    std::unique_ptr<QMainWindow> main = std::make_unique<QMainWindow>();
    QPointer<frmAbout> about;
    Opened()
    {
        main->setGeometry(60, 40, 640, 420);
        main->show();
        about = frmAbout::ShowCentredOver(main.get());
    }
};

// True when the window has been closed and, as closing deletes it, is gone.
bool Gone(const QPointer<frmAbout>& about)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return about.isNull();
}

QPointF Centre(const QWidget* window) { return QRectF(window->frameGeometry()).center(); }

// Width of whatever is drawn in the image other than the sheet.
int InkWidth(const QImage& image)
{
    int first = image.width(), last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != kSheet)
                first = std::min(first, x), last = std::max(last, x);
    return last - first + 1;
}

} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT
public slots:
    void Browse(const QUrl& url) { browsed.append(url.toString()); }

private:
    QStringList browsed;

private slots:
    void init()
    {
        browsed.clear();
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Browse");
    }
    void cleanup() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

    void IsABorderlessFixedSheetWithTheIcon()
    {
        Opened opened;
        QVERIFY(opened.about->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(opened.about->windowTitle(), QStringLiteral("About mapwren"));
        QCOMPARE(opened.about->size(), QSize(357, 208));   // 5355 x 3120 twips
        QCOMPARE(opened.about->minimumSize(), opened.about->maximumSize());
        QVERIFY(!opened.about->windowIcon().isNull() && !opened.about->picIcon->pixmap().isNull());
    }

    void ControlsShowTheirDesign_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<QRect>("twips");
        const QColor red(255, 0, 0), green(0, 128, 0);
        const int left = Qt::AlignLeft, centre = Qt::AlignHCenter, right = Qt::AlignRight;
        QTest::newRow("lblDescription") << "Transfer Garmin Mapsource .img files directly to your GPS without the need "
                                           "for Garmin Mapsource software."
                                        << kBlack << 8.25 << true << centre << QRect(120, 1320, 5085, 450);
        QTest::newRow("lblTitle") << "MAPWREN" << kBlack << 13.5 << true << left << QRect(1320, 120, 1440, 360);
        QTest::newRow("lblVersion") << "v1.96" << kBlue << 8.25 << true << centre << QRect(2760, 240, 570, 225);
        QTest::newRow("Label1") << "By Tobrenn - June 2004" << kBlack << 8.25 << true << centre
                                << QRect(1440, 720, 2535, 255);
        QTest::newRow("Label2") << "Email me if you have any questions." << kBlack << 8.25 << false << right
                                << QRect(120, 2640, 2655, 255);
        QTest::newRow("txtURL") << kHomepage << kBlue << 8.25 << false << centre << QRect(720, 2160, 3855, 285);
        QTest::newRow("txtEmail") << kAuthorEmail << kBlue << 8.25 << false << left << QRect(2880, 2610, 2475, 285);
        QTest::newRow("Label5") << "updated 7th Sept 2005" << red << 8.25 << false << right
                                << QRect(3360, 240, 1815, 255);
        QTest::newRow("Label4") << "Click on the link below to go to the MAPWREN homepage:" << green << 8.25 << false
                                << centre << QRect(120, 1920, 5055, 255);
    }

    void ControlsShowTheirDesign()
    {
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        QFETCH(int, alignment);
        QFETCH(QRect, twips);
        Opened opened;
        QWidget* control = opened.about->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
        QCOMPARE(control->property("text").toString(), text);
        QCOMPARE(control->palette().color(control->foregroundRole()), colour);
        QCOMPARE(control->font().pointSizeF(), points);
        QCOMPARE(control->font().bold(), bold);
        QCOMPARE(control->property("alignment").toInt() & Qt::AlignHorizontal_Mask, alignment);
        QCOMPARE(control->geometry(), TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    }

    void EveryTextShowsWholeOnOnePaleSheet()
    {
        Opened opened;
        const QImage sheet = opened.about->grab().toImage();
        QCOMPARE(sheet.pixelColor(4, 4), kSheet);
        for (QWidget* control : opened.about->findChildren<QWidget*>()) {
            const QByteArray named = control->objectName().toLatin1();
            const char* name = named.constData();
            QVERIFY2(sheet.pixelColor(control->geometry().topLeft() + QPoint(1, 1)) == kSheet, name);
            if (auto* box = qobject_cast<QLineEdit*>(control))
                QVERIFY2(InkWidth(box->grab().toImage()) + 2 >= box->fontMetrics().horizontalAdvance(box->text()),
                         name);
            else if (auto* label = qobject_cast<QLabel*>(control); label && label->wordWrap())
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(), name);
            else if (label)
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(), name);
        }
    }

    void DefaultTextStaysReadableOnADarkTheme()
    {
        const QPalette saved = QApplication::palette();
        QPalette dark = saved;
        dark.setColor(QPalette::WindowText, QColor(240, 240, 240));
        QApplication::setPalette(dark);
        Opened opened;
        QApplication::setPalette(saved);
        QCOMPARE(opened.about->Label1->palette().color(QPalette::WindowText), kBlack);
    }

    void OpensCentredAndUnblockingWhereverTheMainWindowIs_data()
    {
        QTest::addColumn<QPoint>("mainAt");
        QTest::newRow("top left") << QPoint(0, 0);
        QTest::newRow("moved") << QPoint(230, 170);
        QTest::newRow("partly off the screen") << QPoint(-300, -80);
    }

    void OpensCentredAndUnblockingWhereverTheMainWindowIs()
    {
        QFETCH(QPoint, mainAt);
        Opened opened;
        opened.main->move(mainAt);
        QCOMPARE(frmAbout::ShowCentredOver(opened.main.get()), opened.about.data());   // the same window again
        const QPointF offset = Centre(opened.about) - Centre(opened.main.get());
        QVERIFY(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1);
        QVERIFY(opened.about->isVisible() && !QApplication::activeModalWidget());
    }

    void MousePresses_data()
    {
        QTest::addColumn<QString>("control");   // empty: the bare background
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("homepageOpened");
        for (const char* name : {"picIcon", "lblDescription", "lblTitle", "lblVersion", "Label1", "Label2", "Label4",
                                 "Label5", ""})
            QTest::newRow(*name ? name : "background") << name << Qt::LeftButton << true << 0;
        QTest::newRow("label, right button") << "lblTitle" << Qt::RightButton << false << 0;
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            QTest::addRow("txtURL, button %d", int(button)) << "txtURL" << button << false << 1;
            QTest::addRow("txtEmail, button %d", int(button)) << "txtEmail" << button << false << 0;
        }
    }

    void MousePresses()
    {
        QFETCH(QString, control);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, closes);
        QFETCH(int, homepageOpened);
        Opened opened;
        QWidget* target = control.isEmpty() ? opened.about.data() : opened.about->findChild<QWidget*>(control);
        const QPoint at = control.isEmpty() ? QPoint(4, 4) : target->rect().center();
        QVERIFY(control.isEmpty() == !opened.about->childAt(target->mapTo(opened.about, at)));
        QTest::mouseClick(target, button, {}, at);
        QCOMPARE(Gone(opened.about), closes);
        QCOMPARE(browsed, QStringList(homepageOpened, QString::fromUtf8(kHomepage)));
    }

    void ADoubleClickOnTheHomepageOpensItOnce()
    {
        Opened opened;
        QTest::mouseClick(opened.about->txtURL, Qt::LeftButton);
        QTest::mouseDClick(opened.about->txtURL, Qt::LeftButton);   // as the window system reports the second press
        QCOMPARE(browsed, QStringList(QString::fromUtf8(kHomepage)));
    }

    void PressInTheEmailSelectsAllOfItEvenAfterADrag()
    {
        Opened opened;
        QLineEdit* email = opened.about->txtEmail;
        email->setSelection(3, 4);
        QTest::mousePress(email, Qt::LeftButton, {}, QPoint(20, 8));
        QTest::mouseMove(email, QPoint(60, 8));
        QTest::mouseRelease(email, Qt::LeftButton, {}, QPoint(60, 8));
        QCOMPARE(email->selectionStart(), 0);
        QCOMPARE(email->selectedText(), kEmail);
        QApplication::clipboard()->clear();
        QTest::keyClick(email, Qt::Key_C, Qt::ControlModifier);   // copying keeps the window
        QCOMPARE(QApplication::clipboard()->text(), kEmail);
        QVERIFY(!Gone(opened.about));
    }

    void Keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Escape on the icon") << "picIcon" << int(Qt::Key_Escape) << true;
        QTest::newRow("Tab on the icon") << "picIcon" << int(Qt::Key_Tab) << true;
        QTest::newRow("arrow in the homepage box") << "txtURL" << int(Qt::Key_Right) << true;
        QTest::newRow("letter in the e-mail box") << "txtEmail" << int(Qt::Key_A) << true;
        QTest::newRow("Ctrl alone") << "txtEmail" << int(Qt::Key_Control) << false;
    }

    void Keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, closes);
        Opened opened;
        QWidget* target = opened.about->findChild<QWidget*>(focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(Gone(opened.about), closes);
    }

    void ReopenedAfterClosingShowsItsDesign()
    {
        Opened opened;
        opened.about->txtEmail->setText(QStringLiteral("changed"));
        opened.about->close();
        // Reopened before the closed one is deleted, and after.
        QPointer<frmAbout> again = frmAbout::ShowCentredOver(opened.main.get());
        QVERIFY(!Gone(again) && Gone(opened.about));
        QCOMPARE(again->txtEmail->text(), kEmail);
    }

    // The main window closes every window of the program when it closes, this
    // one among them, and takes it along when it is destroyed.
    void GoesWithTheMainWindow()
    {
        Opened opened;
        QVERIFY(QApplication::topLevelWidgets().contains(opened.about.data()));
        opened.main.reset();
        QVERIFY(opened.about.isNull());
    }
};

} // namespace mapwren

QTEST_MAIN(mapwren::AboutWindowTest)
#include "AboutWindowTest.moc"
