// The Qt About window's binding: it draws the form's design, Qt's real mouse
// and key events reach the form's handlers, and the form's state is drawn.
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QTest>

#include "about/frmAboutDesign.h"
#include "qt/Twips.h"
#include "common/Addresses.h"
#include "qt/AboutWindow.h"

namespace mapwren {

namespace {

const QColor kColours[] = {{}, {0, 0, 0}, {255, 0, 0}, {0, 0, 255}, {0, 128, 0}};   // by TextColour
const QString kEmail = QString::fromUtf8(kAuthorEmail);

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// A shown stand-in for the main window, with its About window open.
struct Opened {
    std::unique_ptr<QMainWindow> main = std::make_unique<QMainWindow>();
    QPointer<AboutWindow> about;
    Opened() { main->setGeometry(60, 40, 640, 420), main->show(), about = AboutWindow::ShowCentredOver(main.get()); }
    QWidget* Control(const QString& name) const { return about->findChild<QWidget*>(name); }
    QString EmailSelected() const { return static_cast<QLineEdit*>(Control("txtEmail"))->selectedText(); }
    bool Gone() const { return QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete), about.isNull(); }
};

} // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT
public slots:
    void Browse(const QUrl& url) { browsed.append(url.toString()); }   // the homepage, asked through Qt

private:
    QStringList browsed;

private slots:
    void init() { browsed.clear(), QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Browse"); }
    void cleanup() { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

    // Each control's font and colour on the pale sheet; their places and
    // texts, read whole, are CaptionsFitTest's.
    void DrawsTheDesign()
    {
        Opened opened;
        const FormDesign& form = frmAboutForm();
        const QImage sheet = opened.about->grab().toImage();
        const QColor pale(form.background.red, form.background.green, form.background.blue);
        QVERIFY(opened.about->size() == QSize(Px(form.width), Px(form.height)) && sheet.pixelColor(4, 4) == pale);
        for (const ControlDesign& d : frmAboutControls()) {
            QWidget* c = opened.Control(Text(d.name));
            const QColor ink = c->palette().color(c->foregroundRole());
            QVERIFY2(c->font().bold() == d.font.bold && c->font().pointSizeF() == d.font.points &&
                         (d.colour == TextColour::System || ink == kColours[int(d.colour)]) &&
                         sheet.pixelColor(c->geometry().topLeft() + QPoint(1, 1)) == pale,
                     d.name.data());
        }
    }

    void MousePressesReachTheForm()
    {
        enum Outcome { Closes, Stays, OpensHomepage, SelectsEmail };
        const std::tuple<QString, Qt::MouseButton, Outcome> presses[] = {   // "": the bare background
            {"picIcon", Qt::LeftButton, Closes},          {"lblTitle", Qt::LeftButton, Closes},
            {"", Qt::LeftButton, Closes},                 {"Label4", Qt::RightButton, Stays},
            {"txtURL", Qt::MiddleButton, OpensHomepage}, {"txtEmail", Qt::RightButton, SelectsEmail}};
        for (const auto& [control, button, outcome] : presses) {
            browsed.clear();
            Opened opened;
            QWidget* target = control.isEmpty() ? opened.about.data() : opened.Control(control);
            QTest::mouseClick(target, button, {}, control.isEmpty() ? QPoint(4, 4) : target->rect().center());
            QVERIFY2(opened.Gone() == (outcome == Closes) && browsed.size() == (outcome == OpensHomepage) &&
                         (outcome == Closes || (opened.EmailSelected() == kEmail) == (outcome == SelectsEmail)),
                     qPrintable(control));
        }
    }

    // A double click arrives as a press, then a double click's press.
    void DoubleClicksDragsAndKeys()
    {
        Opened opened, other;
        QTest::mouseClick(opened.Control("txtURL"), Qt::LeftButton);
        QTest::mouseDClick(opened.Control("txtURL"), Qt::LeftButton);
        QWidget* email = opened.Control("txtEmail");
        QTest::mouseClick(email, Qt::LeftButton, {}, QPoint(20, 8));
        QTest::mouseDClick(email, Qt::LeftButton, {}, QPoint(20, 8));
        QTest::mouseMove(email, QPoint(60, 8));   // a drag would narrow the selection
        QTest::mouseRelease(email, Qt::LeftButton, {}, QPoint(60, 8));
        QCOMPARE(opened.EmailSelected(), kEmail);
        QApplication::clipboard()->clear();
        QTest::keyClick(email, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(browsed.size() == 1 && QApplication::clipboard()->text() == kEmail && !opened.Gone());
        QTest::keyClick(email, Qt::Key_Escape);
        QTest::keyClick(other.Control("picIcon"), Qt::Key_Tab);   // Tab too, before it moves the focus
        QVERIFY(opened.Gone() && other.Gone());
    }

    void OpensOnceCentredOverTheMainWindow()
    {
        Opened opened;
        opened.main->move(230, 170);
        QCOMPARE(AboutWindow::ShowCentredOver(opened.main.get()), opened.about.data());
        const QPointF off =
            QRectF(opened.about->frameGeometry()).center() - QRectF(opened.main->frameGeometry()).center();
        QVERIFY(qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1 && !QApplication::activeModalWidget());
    }
};

} // namespace mapwren

QTEST_MAIN(mapwren::AboutWindowTest)
#include "AboutWindowTest.moc"
